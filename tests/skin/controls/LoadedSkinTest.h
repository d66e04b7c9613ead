#pragma once
// A test whose skin data component holds a synthetic skin that `Make` builds from a
// `Shape`; the skin reader's notices are kept quiet while it runs.

#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/data/TestSkins.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

template <class Shape, std::vector<std::byte> (*Make)(const Shape&)>
class LoadedSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousNotifier = TSkinReader::SetNotifier([](std::u16string_view) {});
        LoadSkin({});
    }
    void TearDown() override {
        skin.reset();
        TSkinReader::SetNotifier(std::move(m_previousNotifier));
    }
    void LoadSkin(const Shape& shape) {
        skin = std::make_unique<TSkinData>();
        ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(Make(shape))));
        ASSERT_FALSE(skin->NoSkin());
    }

    std::unique_ptr<TSkinData> skin;

private:
    TSkinReader::Notifier m_previousNotifier;
};
