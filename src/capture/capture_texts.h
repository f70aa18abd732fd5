#pragma once

#include <QString>

// The status-line texts of capture control, shown as they stand: the manual and the end-to-end
// tests quote them.
namespace tinctora::capture {

inline const QString kPressF4 = QStringLiteral("Press F4 To Capture Color");
inline const QString kPressF3 = QStringLiteral("Press F3 to start Capture");
inline const QString kPressF2 = QStringLiteral("Press F2 To Add Color");
inline const QString kCaptured = QStringLiteral("CAPTURED");

} // namespace tinctora::capture
