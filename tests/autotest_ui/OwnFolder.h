#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/ProgramFolder.h"
#include "platform/Sound.h"

// A window test whose program folder is a fresh temporary folder, with no sound
// requests left over from an earlier test.
template <typename Base = ::testing::Test>
class OwnFolderTest : public Base {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        SetAppPath(folder.path());
        ClearSoundRequests();
    }
    QTemporaryDir folder;
};

// The same for a test run once per knife side (the parameter: knife on the right).
using KnifeSideTest = OwnFolderTest<::testing::TestWithParam<bool>>;
