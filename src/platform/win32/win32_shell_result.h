#pragma once

// What the result of the shell's open operation (ShellExecute) means for the caller, without
// <windows.h>, so that the mapping is tested on every platform.

#include "platform/platform.h"

#include <cstdint>

namespace tinctora::platform::win32 {

inline constexpr std::intptr_t kShellFileNotFound = 2;   // SE_ERR_FNF
inline constexpr std::intptr_t kShellNoAssociation = 31; // SE_ERR_NOASSOC

// Above 32 a program took the document; 32 or less is an error code. Only "file not found" and
// "no program for this kind of file" have outcomes of their own (the PDF manual explains them);
// every other code, 0 (out of memory) and "path not found" among them, is a plain failure.
constexpr OpenOutcome outcomeOfShellExecute(std::intptr_t result) {
    if (result > 32)
        return OpenOutcome::HandedOver;
    if (result == kShellFileNotFound)
        return OpenOutcome::FileNotFound;
    if (result == kShellNoAssociation)
        return OpenOutcome::NoProgram;
    return OpenOutcome::Failed;
}

} // namespace tinctora::platform::win32
