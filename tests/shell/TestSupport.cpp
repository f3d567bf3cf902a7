// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include <QFile>
#include <QTest>
#include <QWidget>

#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"

void ClearSettingsStore()
{
    QSettings store;
    store.clear();
    store.sync();
}

bool AddFunction(CVeltrix2Doc &doc, const std::string &label, const std::string &text, int mode)
{
    const DefinitionOutcome outcome = CompileNewFunction(text, 1);
    if (!outcome.ok)
        return false;
    FunctionRecord record;
    record.label = label;
    record.text = text;
    record.handle = outcome.handle;
    record.mode = mode;
    doc.Add(record);
    doc.SetModifiedFlag(true);
    return true;
}

QString WriteFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

std::string RectText(const QRect &r)
{
    return QStringLiteral("%1, %2, %3 x %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

bool WaitForGeometry(const QWidget &window, const QRect &wanted, int timeoutMs)
{
    return QTest::qWaitFor([&] { return window.geometry() == wanted; }, timeoutMs);
}
