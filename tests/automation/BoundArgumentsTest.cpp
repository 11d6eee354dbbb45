#include "convert/automation/BoundArguments.h"

#include <gtest/gtest.h>

namespace {
const QStringList Parameters{QStringLiteral("FileName"), QStringLiteral("FileFormat")};

int errorOf(const PositionalArguments &positional, const NamedArguments &named)
{
    try {
        BoundArguments(QStringLiteral("SaveAs"), Parameters, positional, named);
    } catch (const AutomationError &error) {
        return error.number();
    }
    return 0;
}
} // namespace

TEST(BoundArguments, BindsPositionalArgumentsInOrderAndNamedOnesIgnoringLetterCase)
{
    const BoundArguments arguments(QStringLiteral("SaveAs"), Parameters, {QStringLiteral("a.htm")},
                                   {{QStringLiteral("fileformat"), 8}});
    EXPECT_EQ(arguments.value(QStringLiteral("FileName")), Variant(QStringLiteral("a.htm")));
    EXPECT_EQ(arguments.value(QStringLiteral("FILEFORMAT")), Variant(8));
    EXPECT_TRUE(arguments.value(QStringLiteral("Unlisted")).isEmpty());
    EXPECT_FALSE(BoundArguments(QStringLiteral("SaveAs"), Parameters, {}, {}).has(QStringLiteral("FileName")));
}

TEST(BoundArguments, RejectsUnknownNamesSurplusPositionalsAndArgumentsGivenTwice)
{
    EXPECT_EQ(errorOf({}, {{QStringLiteral("Encoding"), 1}}), AutomationErrorNumber::UnknownNamedArgument);
    EXPECT_EQ(errorOf({1, 2, 3}, {}), AutomationErrorNumber::WrongArgumentCount);
    EXPECT_EQ(errorOf({QStringLiteral("a.htm")}, {{QStringLiteral("FileName"), QStringLiteral("b.htm")}}),
              AutomationErrorNumber::WrongArgumentCount);
}
