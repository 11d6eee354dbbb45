#include "automation/NamedObject.h"
#include "convert/automation/ObjectRegistry.h"

#include <gtest/gtest.h>


TEST(ObjectRegistry, CreatesANewObjectOfARegisteredClassWhateverTheLetterCase)
{
    RegisterClass(QStringLiteral("Test.Creatable"), [] { return std::make_shared<NamedObject>(QStringLiteral("made")); });
    const ObjectRef first = CreateObject(QStringLiteral("test.CREATABLE"));
    EXPECT_EQ(first->DefaultMember().toText(), QStringLiteral("made"));
    EXPECT_NE(CreateObject(QStringLiteral("Test.Creatable")), first);
    UnregisterClass(QStringLiteral("Test.Creatable"));
}

TEST(ObjectRegistry, AnUnregisteredClassCannotBeCreatedAndTheErrorNamesIt)
{
    try {
        CreateObject(QStringLiteral("Test.Nowhere"));
        FAIL() << "an unregistered class was created";
    } catch (const AutomationError &error) {
        EXPECT_EQ(error.number(), AutomationErrorNumber::ClassNotRegistered);
        EXPECT_TRUE(error.description().contains(QStringLiteral("Test.Nowhere")));
    }
}
