// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentPreparation.h"

#include "ListLevels.h"
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
#include <com/sun/star/text/XDependentTextField.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

#include <QRandomGenerator>

#include <map>
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

// One paragraph at a time of a text, outside its tables: the cursor stands at its start.
struct Paragraph {
    Reference<css::text::XText> text;
    Reference<css::text::XParagraphCursor> cursor;
    Reference<css::beans::XPropertySet> properties; // the cursor's
    Reference<css::beans::XMultiPropertySet> multipleProperties;
};

// Calls visit for each paragraph of text, outside its tables.
template <typename Visit>
void forEachParagraph(const Reference<css::text::XText> &text, const Visit &visit)
{
    const Reference<css::text::XParagraphCursor> cursor(text->createTextCursor(), UNO_QUERY_THROW);
    const Paragraph paragraph{text, cursor, Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW),
                              Reference<css::beans::XMultiPropertySet>(cursor, UNO_QUERY_THROW)};
    cursor->gotoStart(false);
    do {
        bestEffort([&] { visit(paragraph); });
    } while (cursor->gotoNextParagraph(false));
}

class Preparation {
public:
    explicit Preparation(const Reference<css::lang::XComponent> &document)
        : document_(document)
        , factory_(document, UNO_QUERY)
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
        bestEffort([&] {
            // Nothing done here is to be recorded as a change of the document.
            Reference<css::beans::XPropertySet>(document_, UNO_QUERY_THROW)
                ->setPropertyValue("RecordChanges", Any(false));
        });
        bestEffort([&] { markChanges(); });
        bestEffort([&] {
            const auto [anyList, highlighting] = whatTheBodyHolds(body);
            const bool lists = anyList && readListStyles();
            if (!lists && !highlighting)
                return;
            const auto visit = [&](const Paragraph &paragraph) {
                if (lists)
                    markListItem(paragraph);
                if (highlighting)
                    keepHighlighting(paragraph);
            };
            forEachParagraph(body, visit);
            forEachTableParagraph(visit);
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
        all->gotoStart(false);
        all->gotoEnd(true);
        const auto states = Reference<css::beans::XPropertyState>(all, UNO_QUERY_THROW)
                                ->getPropertyStates(names({"NumberingStyleName", "CharHighlight"}));
        return {states[0] != css::beans::PropertyState_DEFAULT_VALUE,
                states[1] != css::beans::PropertyState_DEFAULT_VALUE};
    }

    // Reads the levels of the list styles in use; true when one of them shows labels that a
    // browser does not show alike. Only the items of such levels are marked, and only when there
    // is one are the paragraphs visited. (A Word document gives every list a style.)
    bool readListStyles()
    {
        const Reference<css::container::XNameAccess> styles(
            Reference<css::style::XStyleFamiliesSupplier>(document_, UNO_QUERY_THROW)
                ->getStyleFamilies()
                ->getByName("NumberingStyles"),
            UNO_QUERY_THROW);
        bool ownLabels = false;
        for (const rtl::OUString &name : styles->getElementNames()) {
            const Reference<css::style::XStyle> style(styles->getByName(name), UNO_QUERY_THROW);
            if (!style->isInUse())
                continue;
            Reference<css::container::XIndexAccess> levels;
            Reference<css::beans::XPropertySet>(style, UNO_QUERY_THROW)->getPropertyValue("NumberingRules") >>= levels;
            const sal_Int32 count = levels.is() ? levels->getCount() : 0;
            for (sal_Int16 level = 0; level < count; ++level) {
                Sequence<css::beans::PropertyValue> properties;
                levels->getByIndex(level) >>= properties;
                const ListLevelFormat format = ListLevelFormatOf(properties);
                const ListLevel read{LabelledAsByABrowser(format, level), LabelWithoutNumber(format)};
                listLevels_[{toQString(name), level}] = read;
                ownLabels = ownLabels || !read.labelledAsByABrowser;
            }
        }
        return ownLabels;
    }

    template <typename Visit>
    void forEachTableParagraph(const Visit &visit)
    {
        const Reference<css::container::XIndexAccess> tables(
            Reference<css::text::XTextTablesSupplier>(document_, UNO_QUERY_THROW)->getTextTables(), UNO_QUERY_THROW);
        for (sal_Int32 index = 0, count = tables->getCount(); index < count; ++index) {
            bestEffort([&] {
                const Reference<css::text::XTextTable> table(tables->getByIndex(index), UNO_QUERY_THROW);
                for (const rtl::OUString &cell : table->getCellNames())
                    forEachParagraph(Reference<css::text::XText>(table->getCellByName(cell), UNO_QUERY_THROW), visit);
            });
        }
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
                placeMark(from->getText(), reversed ? to : from, {PageMark::Kind::ChangeBegins, {}, number, deletion});
                placeMark(from->getText(), reversed ? from : to, {PageMark::Kind::ChangeEnds, {}, number});
            });
        }
    }

    // A numbered paragraph gets its label, unless a browser shows it alike. Headings numbered by
    // the outline have their numbers written by the export itself.
    void markListItem(const Paragraph &paragraph)
    {
        const auto values = paragraph.multipleProperties->getPropertyValues(
            names({"NumberingIsNumber", "ListLabelString", "NumberingLevel", "NumberingStyleName"}));
        bool numbered = false;
        rtl::OUString label;
        sal_Int16 level = 0;
        rtl::OUString style;
        values[0] >>= numbered;
        values[1] >>= label;
        values[2] >>= level;
        values[3] >>= style;
        if (!numbered || style == "Outline")
            return;
        const auto known = listLevels_.find({toQString(style), level});
        if (known != listLevels_.end() && known->second.labelledAsByABrowser)
            return;
        const std::optional<QString> shown = !label.isEmpty() ? toQString(label)
                                             : known != listLevels_.end()
                                                 ? known->second.labelWithoutNumber
                                                 : LabelWithoutNumber(levelOf(paragraph, level));
        if (shown)
            placeMark(paragraph.text, paragraph.cursor.get(), {PageMark::Kind::ListItem, *shown});
    }

    // The format of a level of the list the paragraph is in.
    static ListLevelFormat levelOf(const Paragraph &paragraph, sal_Int16 level)
    {
        Reference<css::container::XIndexAccess> levels;
        paragraph.properties->getPropertyValue("NumberingRules") >>= levels;
        Sequence<css::beans::PropertyValue> properties;
        if (levels.is())
            levels->getByIndex(level) >>= properties;
        return ListLevelFormatOf(properties);
    }

    // Highlighted text gets its highlight as background colour: a paragraph highlighted
    // throughout at once, one highlighted in parts portion by portion.
    static void keepHighlighting(const Paragraph &paragraph)
    {
        paragraph.cursor->gotoEndOfParagraph(true);
        sal_Int32 colour = NoHighlight;
        if (paragraph.properties->getPropertyValue("CharHighlight") >>= colour) {
            if (colour != NoHighlight)
                paragraph.properties->setPropertyValue("CharBackColor", Any(colour));
            return;
        }
        const auto selected
            = Reference<css::container::XEnumerationAccess>(paragraph.cursor, UNO_QUERY_THROW)->createEnumeration();
        const auto portions = Reference<css::container::XEnumerationAccess>(selected->nextElement(), UNO_QUERY_THROW)
                                  ->createEnumeration();
        while (portions->hasMoreElements()) {
            const Reference<css::beans::XPropertySet> portion(portions->nextElement(), UNO_QUERY_THROW);
            if ((portion->getPropertyValue("CharHighlight") >>= colour) && colour != NoHighlight)
                portion->setPropertyValue("CharBackColor", Any(colour));
        }
    }

    // Marks the place at with a field that the export writes as it stands, between '<' and '>',
    // there and nowhere else: a comment holding the mark's name.
    void placeMark(const Reference<css::text::XText> &text, const Reference<css::text::XTextRange> &at,
                   const PageMark &mark)
    {
        const Reference<css::text::XDependentTextField> field(
            factory_->createInstance("com.sun.star.text.textfield.SetExpression"), UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet>(field, UNO_QUERY_THROW)
            ->setPropertyValue("Content", Any(toOUString("!--" + marks_.nameOf(marks_.marks.size()) + "--")));
        field->attachTextFieldMaster(writtenAsItStands());
        text->insertTextContent(at, field.get(), false);
        marks_.marks.push_back(mark);
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
    PageMarks marks_;
    Reference<css::beans::XPropertySet> markup_; // see writtenAsItStands
    struct ListLevel {
        bool labelledAsByABrowser;
        std::optional<QString> labelWithoutNumber;
    };
    std::map<std::pair<QString, sal_Int16>, ListLevel> listLevels_; // of the list styles in use, by style and level
};

} // namespace

PageMarks PrepareForExport(const Reference<css::lang::XComponent> &document)
{
    return Preparation(document).run();
}
