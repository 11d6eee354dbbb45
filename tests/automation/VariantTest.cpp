#include "convert/automation/AutomationObject.h"

#include <gtest/gtest.h>

TEST(Variant, BooleansCrossAsMinusOneAndZero)
{
    EXPECT_EQ(Variant::fromBool(true).toInt(), -1);
    EXPECT_EQ(Variant::fromBool(false).toInt(), 0);
    EXPECT_TRUE(Variant(5).toBool());
    EXPECT_NE(Variant::fromBool(true), Variant(-1));
}

TEST(Variant, ReadingAValueAsAnotherTypeIsATypeMismatch)
{
    try {
        Variant(QStringLiteral("8")).toInt();
        FAIL() << "text read as an integer";
    } catch (const AutomationError &error) {
        EXPECT_EQ(error.number(), AutomationErrorNumber::TypeMismatch);
    }
    EXPECT_THROW(Variant().toText(), AutomationError);
    EXPECT_THROW(Variant(ObjectRef()).toObject(), AutomationError);
}
