#include "platform/win32/win32_shell_result.h"

#include <gtest/gtest.h>

#include <vector>

namespace tinctora::platform::win32 {
namespace {

TEST(Win32ShellResult, OnlyTwoCodesHaveOutcomesOfTheirOwn) {
    struct Row {
        std::intptr_t result;
        OpenOutcome outcome;
    };
    const std::vector<Row> table = {
        {0, OpenOutcome::Failed},       // out of memory, or the call did not run
        {2, OpenOutcome::FileNotFound}, // SE_ERR_FNF: the PDF manual's message
        {3, OpenOutcome::Failed},       // SE_ERR_PNF: path not found is no missing file
        {5, OpenOutcome::Failed},       // SE_ERR_ACCESSDENIED
        {8, OpenOutcome::Failed},       // SE_ERR_OOM
        {11, OpenOutcome::Failed},      // ERROR_BAD_FORMAT
        {26, OpenOutcome::Failed},      // SE_ERR_SHARE
        {30, OpenOutcome::Failed},      // SE_ERR_DDEBUSY
        {31, OpenOutcome::NoProgram},   // SE_ERR_NOASSOC: the PDF manual's message
        {32, OpenOutcome::Failed},      // SE_ERR_DLLNOTFOUND, the highest error code
        {33, OpenOutcome::HandedOver},  // the lowest success
        {42, OpenOutcome::HandedOver},  // what the shell usually answers
        {0x10000, OpenOutcome::HandedOver}, {-1, OpenOutcome::Failed},
    };
    for (const Row& row : table)
        EXPECT_EQ(outcomeOfShellExecute(row.result), row.outcome) << row.result;
}

} // namespace
} // namespace tinctora::platform::win32
