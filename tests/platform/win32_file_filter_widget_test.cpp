#include "platform/win32/win32_file_filter.h"

#include <gtest/gtest.h>

namespace tinctora::platform::win32 {
namespace {

TEST(Win32FileFilter, EachQtEntryBecomesADescriptionAndItsPatterns) {
    struct Row {
        QString qt;
        QString system; // '|' stands for the NUL that ends each part
    };
    const Row table[] = {
        {"*.ini*", "*.ini*|*.ini*||"}, // the palette dialogs: the pattern names itself
        {"GIMP palettes (*.gpl)", "GIMP palettes (*.gpl)|*.gpl||"},
        {"Palettes (*.ini *.txt);;All files (*)",
         "Palettes (*.ini *.txt)|*.ini;*.txt|All files (*)|*||"},
        {"Colours (2024) (*.gpl)", "Colours (2024) (*.gpl)|*.gpl||"}, // the last parentheses
        {"", "|"},
    };
    for (const Row& row : table) {
        QString expected = row.system;
        expected.replace(QLatin1Char('|'), QChar(0));
        EXPECT_EQ(fileDialogFilter(row.qt), expected) << row.qt.toStdString();
    }
}

} // namespace
} // namespace tinctora::platform::win32
