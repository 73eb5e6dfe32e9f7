// SPDX-License-Identifier: GPL-3.0-or-later
#include "clipboardflavours.h"

#include <QMimeData>
#include <QStringList>

namespace ui {

QList<ClipboardFlavour> clipboardFlavours(const QMimeData &data)
{
    QList<ClipboardFlavour> flavours;
    for (const QString &format : data.formats()) {
        const QByteArray bytes = data.data(format);
        if (format == QLatin1String("text/plain")) {
            for (const char *target : {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain", "STRING", "TEXT"})
                flavours.append({target, bytes});
        } else {
            flavours.append({format.toLatin1(), bytes});
        }
    }
    return flavours;
}

} // namespace ui
