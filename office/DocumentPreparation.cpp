// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentPreparation.h"

#include "ListLevels.h"
#include "PreparationScript.h"
#include "UnoText.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XRedlinesSupplier.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/SetVariableType.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>

#include <QRandomGenerator>

#include <map>
#include <optional>
#include <utility>
#include <vector>

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// What CharHighlight holds for text that is not highlighted.
constexpr sal_Int32 NoHighlight = -1;

// Does work; what the office refuses is left undone, but a lost office is not taken for a refusal.
template <typename Work>
void bestEffort(const Work &work)
{
    try {
        work();
    } catch (const css::lang::DisposedException &) {
        throw;
    } catch (const css::uno::Exception &) {
        // The page shows this part as the export writes it.
    }
}

Sequence<rtl::OUString> names(std::initializer_list<rtl::OUString> list)
{
    return Sequence<rtl::OUString>(list.begin(), static_cast<sal_Int32>(list.size()));
}

// A paragraph the office found for a visit. Every call crosses into the office and costs far more
// than the work it asks for, so only the interfaces a visit uses are asked for, when it uses them:
// the cursor comes as such, its other interfaces cost a call each.
class Paragraph {
public:
    explicit Paragraph(const FoundParagraph &found)
        : found_(found)
    {
    }
    const Reference<css::text::XTextCursor> &cursor() const { return asked(found_.cursor, cursor_); }
    const Reference<css::beans::XMultiPropertySet> &properties() const { return asked(found_.cursor, properties_); }

private:
    template <typename Interface>
    static const Reference<Interface> &asked(const Any &object, Reference<Interface> &known)
    {
        if (!known.is())
            known.set(object, UNO_QUERY_THROW);
        return known;
    }

    const FoundParagraph &found_;
    mutable Reference<css::text::XTextCursor> cursor_;
    mutable Reference<css::beans::XMultiPropertySet> properties_;
};

// A list style of the document, and its numbering rules once read; none when it is not in use.
struct ListStyle {
    bool read = false;
    Reference<css::container::XIndexAccess> levels;
    sal_Int32 levelCount = 0;
};

struct ListLevel {
    bool labelledAsByABrowser;
    std::optional<QString> labelWithoutNumber;
};

// What a visit reads of a paragraph: of its list item, and of its highlighting.
struct ParagraphRead {
    bool numbered = false;
    rtl::OUString label;
    sal_Int16 level = 0;
    rtl::OUString style;
    bool highlighted = false; // anywhere in it
};

class Preparation {
public:
    Preparation(const Reference<css::lang::XComponent> &document, PreparationScript &script)
        : document_(document)
        , factory_(document, UNO_QUERY)
        , script_(script)
    {
        marks_.prefix
            = QStringLiteral("quorvane%1-").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    }

    PageMarks run()
    {
        const Reference<css::text::XTextDocument> text(document_, UNO_QUERY);
        if (!text.is() || !factory_.is())
            return marks_;
        const Reference<css::text::XText> body = text->getText();
        bestEffort([&] { markChanges(); });
        bestEffort([&] { placeMarks(); });
        bestEffort([&] {
            const auto [anyList, highlighting] = whatTheBodyHolds(body);
            const bool lists = anyList && readListStyles();
            if (!lists && !highlighting)
                return;
            const Sequence<rtl::OUString> wanted = wantedOf(lists, highlighting);
            const std::vector<FoundParagraph> found = script_.find(document_, wanted, lists ? 0 : -1,
                                                                   highlighting ? wanted.getLength() - 1 : -1);
            std::vector<Reference<css::text::XTextRange>> highlighted; // cursors at their paragraphs
            for (const FoundParagraph &each : found) {
                const Paragraph paragraph(each);
                const ParagraphRead read = readOf(each.values, lists, highlighting);
                if (lists)
                    bestEffort([&] { markListItem(paragraph, read); });
                if (read.highlighted)
                    bestEffort([&] { highlighted.push_back(paragraph.cursor().get()); });
            }
            bestEffort([&] { placeMarks(); });
            // A mark is text of its paragraph, which the paragraph's highlighting is then read with.
            if (!highlighted.empty()) {
                beforeChanging();
                script_.recolour(highlighted);
            }
        });
        return std::move(marks_);
    }

private:
    // Whether any paragraph of the body, its tables included, is in a list, and any of its text
    // highlighted: a cursor over the whole body finds a property default only where no part
    // of it sets it.
    static std::pair<bool, bool> whatTheBodyHolds(const Reference<css::text::XText> &body)
    {
        const Reference<css::text::XTextCursor> all = body->createTextCursor();
        all->gotoEnd(true);
        const auto states = Reference<css::beans::XPropertyState>(all, UNO_QUERY_THROW)
                                ->getPropertyStates(names({"NumberingStyleName", "CharHighlight"}));
        return {states[0] != css::beans::PropertyState_DEFAULT_VALUE,
                states[1] != css::beans::PropertyState_DEFAULT_VALUE};
    }

    // Whether a list style in use has a level that shows labels a browser does not show alike:
    // only the items of such levels are marked, and only when there is one are the paragraphs
    // visited. (A Word document gives every list a style.) The levels are read up to the first
    // such one; the others as items of theirs come.
    bool readListStyles()
    {
        numberingStyles_.set(Reference<css::style::XStyleFamiliesSupplier>(document_, UNO_QUERY_THROW)
                                 ->getStyleFamilies()
                                 ->getByName("NumberingStyles"),
                             UNO_QUERY_THROW);
        const Sequence<rtl::OUString> names = numberingStyles_->getElementNames();
        for (const rtl::OUString &name : names)
            listStyles_[name];
        for (const rtl::OUString &name : names) {
            const ListStyle &style = listStyle(name);
            for (sal_Int16 level = 0; level < style.levelCount; ++level) {
                if (!listLevel(name, level)->labelledAsByABrowser)
                    return true;
            }
        }
        return false;
    }

    // The numbering rules of a list style of the document, read once; none when it is not in use.
    const ListStyle &listStyle(const rtl::OUString &name)
    {
        ListStyle &style = listStyles_.at(name);
        if (style.read)
            return style;
        style.read = true;
        const Reference<css::style::XStyle> read(numberingStyles_->getByName(name), UNO_QUERY_THROW);
        if (!read->isInUse())
            return style;
        Reference<css::beans::XPropertySet>(read, UNO_QUERY_THROW)->getPropertyValue("NumberingRules") >>= style.levels;
        style.levelCount = style.levels.is() ? style.levels->getCount() : 0;
        return style;
    }

    // A level of a list style in use, read once; none for a style not in use, or not a list style
    // of the document, and for a level it does not have.
    const ListLevel *listLevel(const rtl::OUString &style, sal_Int16 level)
    {
        const auto known = listLevels_.find({style, level});
        if (known != listLevels_.end())
            return &known->second;
        if (listStyles_.count(style) == 0)
            return nullptr;
        const ListStyle &rules = listStyle(style);
        if (level < 0 || level >= rules.levelCount)
            return nullptr;
        Sequence<css::beans::PropertyValue> properties;
        rules.levels->getByIndex(level) >>= properties;
        const ListLevelFormat format = ListLevelFormatOf(properties);
        return &listLevels_.insert({{style, level}, {LabelledAsByABrowser(format, level), LabelWithoutNumber(format)}})
                    .first->second;
    }

    // What a paragraph is visited for, its list item or its highlighting or both: whether it is
    // numbered comes first, its highlight last.
    static Sequence<rtl::OUString> wantedOf(bool lists, bool highlighting)
    {
        std::vector<rtl::OUString> wanted;
        if (lists)
            wanted = {"NumberingIsNumber", "ListLabelString", "NumberingLevel", "NumberingStyleName"};
        if (highlighting)
            wanted.emplace_back("CharHighlight");
        return Sequence<rtl::OUString>(wanted.data(), sal_Int32(wanted.size()));
    }

    // The values of wantedOf, read of a paragraph.
    static ParagraphRead readOf(const Sequence<Any> &values, bool lists, bool highlighting)
    {
        ParagraphRead read;
        if (lists) {
            values[0] >>= read.numbered;
            values[1] >>= read.label;
            values[2] >>= read.level;
            values[3] >>= read.style;
        }
        // A paragraph whose parts differ has no one highlight.
        sal_Int32 colour = NoHighlight;
        read.highlighted = highlighting && (!(values[values.getLength() - 1] >>= colour) || colour != NoHighlight);
        return read;
    }

    // Tracked insertions and deletions, each marked where it begins and ends.
    void markChanges()
    {
        const Reference<css::container::XEnumerationAccess> redlines(
            Reference<css::document::XRedlinesSupplier>(document_, UNO_QUERY_THROW)->getRedlines(), UNO_QUERY_THROW);
        if (!redlines->hasElements())
            return;
        // All are found before any is marked: a mark is text, and text put into a change may split it.
        struct Change {
            bool deletion;
            Reference<css::text::XTextRange> from;
            Reference<css::text::XTextRange> to;
        };
        std::vector<Change> changes;
        const auto all = redlines->createEnumeration();
        while (all->hasMoreElements()) {
            const Reference<css::beans::XPropertySet> redline(all->nextElement(), UNO_QUERY);
            bestEffort([&] {
                rtl::OUString type;
                redline->getPropertyValue("RedlineType") >>= type;
                if (type == "Delete" || type == "Insert")
                    changes.push_back(
                        {type == "Delete",
                         Reference<css::text::XTextRange>(redline->getPropertyValue("RedlineStart"), UNO_QUERY_THROW),
                         Reference<css::text::XTextRange>(redline->getPropertyValue("RedlineEnd"), UNO_QUERY_THROW)});
            });
        }
        for (int number = 0; number < int(changes.size()); ++number) {
            bestEffort([&] {
                const auto &[deletion, from, to] = changes[number];
                // The two ends of a change come in either order.
                const bool reversed = Reference<css::text::XTextRangeCompare>(from->getText(), UNO_QUERY_THROW)
                                          ->compareRegionStarts(from, to)
                                      < 0;
                queueMark(reversed ? to : from, {PageMark::Kind::ChangeBegins, {}, number, deletion});
                queueMark(reversed ? from : to, {PageMark::Kind::ChangeEnds, {}, number});
            });
        }
    }

    // A numbered paragraph gets its label, unless a browser shows it alike: its mark is queued.
    // Headings numbered by the outline have their numbers written by the export itself.
    void markListItem(const Paragraph &paragraph, const ParagraphRead &read)
    {
        if (!read.numbered || read.style == "Outline")
            return;
        const ListLevel *known = listLevel(read.style, read.level);
        if (known && known->labelledAsByABrowser)
            return;
        const std::optional<QString> shown = !read.label.isEmpty() ? toQString(read.label)
                                             : known               ? known->labelWithoutNumber
                                                                   : LabelWithoutNumber(levelOf(paragraph, read.level));
        if (!shown)
            return;
        // The label goes before the paragraph's text, where the cursor stands.
        queueMark(paragraph.cursor().get(), {PageMark::Kind::ListItem, *shown});
    }

    // The format of a level of the list the paragraph is in.
    static ListLevelFormat levelOf(const Paragraph &paragraph, sal_Int16 level)
    {
        Reference<css::container::XIndexAccess> levels;
        paragraph.properties()->getPropertyValues(names({"NumberingRules"}))[0] >>= levels;
        Sequence<css::beans::PropertyValue> properties;
        if (levels.is())
            levels->getByIndex(level) >>= properties;
        return ListLevelFormatOf(properties);
    }

    // The place at is to be marked; placeMarks marks those queued.
    void queueMark(const Reference<css::text::XTextRange> &at, const PageMark &mark) { queued_.push_back({at, mark}); }

    // Marks each place queued, in one call, with a field that the export writes as it stands,
    // between '<' and '>', there and nowhere else: a comment holding the mark's name. Those the
    // office placed are the page's.
    void placeMarks()
    {
        const std::vector<QueuedMark> queued = std::exchange(queued_, {});
        if (queued.empty())
            return;
        beforeChanging();
        std::vector<Reference<css::text::XTextRange>> places;
        std::vector<rtl::OUString> contents;
        for (const auto &[at, mark] : queued) {
            places.push_back(at);
            contents.push_back(toOUString("!--" + marks_.nameOf(marks_.marks.size() + contents.size()) + "--"));
        }
        const sal_Int32 placed = script_.placeFields(document_, writtenAsItStands(), places, contents);
        for (sal_Int32 mark = 0; mark < placed; ++mark)
            marks_.marks.push_back(queued[mark].mark);
    }

    // Nothing done here is to be recorded as a change of the document: told once, before the
    // first change, so that a document left as it is costs no call.
    void beforeChanging()
    {
        if (std::exchange(changing_, true))
            return;
        bestEffort([&] {
            Reference<css::beans::XPropertySet>(document_, UNO_QUERY_THROW)
                ->setPropertyValue("RecordChanges", Any(false));
        });
    }

    // The text variable whose fields the export writes as markup: the document's own, or made.
    Reference<css::beans::XPropertySet> writtenAsItStands()
    {
        if (markup_.is())
            return markup_;
        static const rtl::OUString name("HTML_ON");
        const auto masters
            = Reference<css::text::XTextFieldsSupplier>(document_, UNO_QUERY_THROW)->getTextFieldMasters();
        const rtl::OUString known = "com.sun.star.text.fieldmaster.SetExpression." + name;
        if (masters->hasByName(known)) {
            masters->getByName(known) >>= markup_;
        } else {
            markup_.set(factory_->createInstance("com.sun.star.text.fieldmaster.SetExpression"), UNO_QUERY_THROW);
            markup_->setPropertyValue("Name", Any(name));
            markup_->setPropertyValue("SubType", Any(css::text::SetVariableType::STRING));
        }
        return markup_;
    }

    Reference<css::lang::XComponent> document_;
    Reference<css::lang::XMultiServiceFactory> factory_;
    PreparationScript &script_;
    PageMarks marks_;
    struct QueuedMark {
        Reference<css::text::XTextRange> at;
        PageMark mark;
    };
    std::vector<QueuedMark> queued_;             // see queueMark
    Reference<css::beans::XPropertySet> markup_; // see writtenAsItStands
    bool changing_ = false;                      // see beforeChanging
    Reference<css::container::XNameAccess> numberingStyles_;
    std::map<rtl::OUString, ListStyle> listStyles_;                       // every list style, by name
    std::map<std::pair<rtl::OUString, sal_Int16>, ListLevel> listLevels_; // those read, by style and level
};

} // namespace

PageMarks PrepareForExport(const Reference<css::lang::XComponent> &document, PreparationScript &script)
{
    return Preparation(document, script).run();
}
