// Values, argument binding and the class registry: what a caller of an automation object meets.

#include "automation/NamedObject.h"
#include "convert/automation/BoundArguments.h"
#include "convert/automation/ObjectRegistry.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
int errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AutomationError &error) {
        return error.number();
    }
    return 0;
}
} // namespace

TEST(Variant, BooleansCrossAsMinusOneAndZeroAndOtherTypesDoNotConvert)
{
    EXPECT_EQ(Variant::fromBool(true).toInt(), -1);
    EXPECT_EQ(Variant::fromBool(false).toInt(), 0);
    EXPECT_TRUE(Variant(5).toBool());
    EXPECT_NE(Variant::fromBool(true), Variant(-1));
    EXPECT_EQ(errorOf([] { Variant(QStringLiteral("8")).toInt(); }), AutomationErrorNumber::TypeMismatch);
    EXPECT_EQ(errorOf([] { Variant().toText(); }), AutomationErrorNumber::TypeMismatch);
    EXPECT_EQ(errorOf([] { Variant(ObjectRef()).toObject(); }), AutomationErrorNumber::TypeMismatch);
}

TEST(BoundArguments, BindsByPositionAndByNameInAnyCaseAndRejectsWhatDoesNotFit)
{
    const QStringList parameters{QStringLiteral("FileName"), QStringLiteral("FileFormat")};
    const auto bind = [&](const PositionalArguments &positional, const NamedArguments &named) {
        return BoundArguments(QStringLiteral("SaveAs"), parameters, positional, named);
    };
    const BoundArguments arguments = bind({QStringLiteral("a.htm")}, {{QStringLiteral("fileformat"), 8}});
    EXPECT_EQ(arguments.value(QStringLiteral("FileName")), Variant(QStringLiteral("a.htm")));
    EXPECT_EQ(arguments.value(QStringLiteral("FILEFORMAT")), Variant(8));
    EXPECT_TRUE(arguments.value(QStringLiteral("Unlisted")).isEmpty());
    EXPECT_FALSE(bind({}, {}).has(QStringLiteral("FileName")));

    EXPECT_EQ(errorOf([&] { bind({}, {{QStringLiteral("Encoding"), 1}}); }), AutomationErrorNumber::UnknownNamedArgument);
    EXPECT_EQ(errorOf([&] { bind({1, 2, 3}, {}); }), AutomationErrorNumber::WrongArgumentCount);
    EXPECT_EQ(errorOf([&] { bind({QStringLiteral("a.htm")}, {{QStringLiteral("FileName"), QStringLiteral("b.htm")}}); }),
              AutomationErrorNumber::WrongArgumentCount);
}

TEST(ObjectRegistry, CreatesANewObjectOfARegisteredClassInAnyCaseAndNamesAnUnregisteredOne)
{
    RegisterClass(QStringLiteral("Test.Creatable"), [] { return std::make_shared<NamedObject>(QStringLiteral("made")); });
    const ObjectRef first = CreateObject(QStringLiteral("test.CREATABLE"));
    EXPECT_EQ(first->DefaultMember().toText(), QStringLiteral("made"));
    EXPECT_NE(CreateObject(QStringLiteral("Test.Creatable")), first);
    UnregisterClass(QStringLiteral("Test.Creatable"));

    try {
        CreateObject(QStringLiteral("Test.Creatable"));
        ADD_FAILURE() << "an unregistered class was created";
    } catch (const AutomationError &error) {
        EXPECT_EQ(error.number(), AutomationErrorNumber::ClassNotRegistered);
        EXPECT_TRUE(error.description().contains(QStringLiteral("Test.Creatable")));
    }
}
