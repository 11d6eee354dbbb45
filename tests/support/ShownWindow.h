#pragma once
// A fixture: the real main window with fake seams, shown offscreen.

#include "main/Form1.h"
#include "support/FakePlatform.h"

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
};
