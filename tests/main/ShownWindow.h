#pragma once
// A fixture: the real main window with fake seams, shown offscreen, its controls found by name.

#include "FakePlatform.h"
#include "Form1.h"

#include <QTest>

#include <gtest/gtest.h>

class ShownWindow : public testing::Test {
protected:
    FakePlatform platform;
    Form1 form{platform.bundle()};

    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // The control of that name ("ListView1", "Check2", ...).
    template <typename Control>
    Control *control(const char *name) const
    {
        Control *found = form.findChild<Control *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};
