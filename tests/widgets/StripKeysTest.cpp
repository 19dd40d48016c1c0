// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ConsistStrip.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

TEST(StripKeys, EachKeyOfTheLineAndNoOther) {
    using enum StripKey;
    const std::tuple<int, Qt::KeyboardModifiers, std::optional<StripKey>> cases[] = {
        {Qt::Key_Left, Qt::NoModifier, Previous},
        {Qt::Key_Right, Qt::KeypadModifier, Next},
        {Qt::Key_Home, Qt::NoModifier, Head},
        {Qt::Key_End, Qt::NoModifier, Tail},
        {Qt::Key_Left, Qt::ShiftModifier, ShiftLeft},
        {Qt::Key_Right, Qt::ShiftModifier | Qt::KeypadModifier, ShiftRight},
        {Qt::Key_Space, Qt::NoModifier, Reverse},
        {Qt::Key_R, Qt::NoModifier, Reverse},
        {Qt::Key_Delete, Qt::NoModifier, Delete},
        {Qt::Key_Right, Qt::ControlModifier, std::nullopt},
        {Qt::Key_Home, Qt::ShiftModifier, std::nullopt},
    };
    for (const auto& [key, modifiers, meaning] : cases) {
        EXPECT_EQ(stripKeyOf(key, modifiers), meaning) << std::hex << key << " " << modifiers.toInt();
    }
}

} // namespace
} // namespace dovrel
