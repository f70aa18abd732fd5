#pragma once

#include <QString>

// The status-line texts of capture control, shown as they stand: the manual and the end-to-end
// tests quote them.
namespace tinctora::capture {

inline const QString kPressF4 = QStringLiteral("Press F4 To Capture Color");
inline const QString kPressF3 = QStringLiteral("Press F3 to start Capture");
inline const QString kPressF2 = QStringLiteral("Press F2 To Add Color");
inline const QString kCaptured = QStringLiteral("CAPTURED");

// Where the desktop keeps the pointer and other programs' keys to itself (Wayland): a short
// status line, and the whole sentence for its tooltip and standard error.
inline const QString kNoLivePickNorGlobalKeys = QStringLiteral("No live pick or global keys");
inline const QString kNoLivePick = QStringLiteral("No live pick on this desktop");
inline const QString kWindowOnlyDesktop =
    QStringLiteral("Live following of the pointer and keys outside the window are not available "
                   "on this desktop: pick with Settings > Freeze Screen and Pick or F6.");
inline const QString kWindowOnlyDesktopWithKeys =
    QStringLiteral("Live following of the pointer is not available on this desktop: pick with "
                   "Settings > Freeze Screen and Pick or F6.");

} // namespace tinctora::capture
