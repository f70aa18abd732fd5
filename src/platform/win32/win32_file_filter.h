#pragma once

// Qt's name filters in the form the system's file dialogs take them, without <windows.h>, so that
// the conversion is tested on every platform.

#include <QString>
#include <QStringList>

namespace tinctora::platform::win32 {

// A Qt filter such as "GIMP palettes (*.gpl);;All (*.ini *.txt)" becomes the OPENFILENAME
// filter "GIMP palettes (*.gpl)\0*.gpl\0All (*.ini *.txt)\0*.ini;*.txt\0\0": each entry's
// description is shown as written, its patterns are the ones in the last parentheses (those of a
// bare "*.ini*" are the entry itself), and the list ends with an empty entry.
inline QString fileDialogFilter(const QString& qtFilter) {
    QString pairs;
    for (const QString& entry : qtFilter.split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
        const QString description = entry.trimmed();
        QString patterns = description;
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')')))
            patterns = description.mid(open + 1, description.size() - open - 2);
        pairs += description + QChar(0) +
                 patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts).join(QLatin1Char(';')) +
                 QChar(0);
    }
    return pairs + QChar(0);
}

} // namespace tinctora::platform::win32
