#pragma once

#include <functional>
#include <string>

#include <QStringList>
#include <QTreeWidgetItem>

#include "model/CVeltrix2Doc.h"
#include "model/DisplayForms.h"
#include "qel/qel.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/CVeltrix2View.h"
#include "tree/ColorButton.h"
#include "tree/TreePictures.h"

// The tree as a user reads it: one line per item, indented by depth, with
// the hidden picture of a function and the swatch of a colour node.  The
// colours of variable, range and steps nodes are left out: nodes made again
// after a new definition carry none until the next fill.
inline std::string TreeDump(const CVeltrix2View &view)
{
    const QImage hidden = TreeImages().at(1).toImage();
    QStringList lines;
    std::function<void(QTreeWidgetItem *, int)> walk = [&](QTreeWidgetItem *item, int depth) {
        QString line = QString(depth * 2, QLatin1Char(' ')) + item->text(0);
        const TreeNodeEntry *entry = view.FindNodeEntry(item);
        if (!entry)
            line += QStringLiteral(" <no entry>");
        else if (entry->kind == FunctionNode && item->icon(0).pixmap(15, 14).toImage() == hidden)
            line += QStringLiteral(" (hidden)");
        else if (entry->kind == Color1Node || entry->kind == Color2Node)
            line += QStringLiteral(" in ") + view.Tree()->GetItemSwatch(item).name();
        lines << line;
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < view.Tree()->topLevelItemCount(); ++i)
        walk(view.Tree()->topLevelItem(i), 0);
    if (int(view.Nodes().size()) != lines.size())
        lines << QStringLiteral("<%1 entries>").arg(view.Nodes().size());
    return lines.join(QLatin1Char('\n')).toStdString();
}

// What the tree must show for the document as it is, worked out from the
// document and the library alone.
inline std::string ExpectedTree(const CVeltrix2Doc &doc)
{
    auto shown = [&](Color c) { return ToQColor(c).name(); };
    QStringList lines;
    for (int p = doc.First(); p != -1; p = doc.Next(p)) {
        const FunctionRecord r = doc.Get(p);
        lines << QString::fromStdString(r.label) + (r.visible == 1 ? QString() : QStringLiteral(" (hidden)"));
        lines << QStringLiteral("  ") + QString::fromStdString(r.text);
        std::vector<VariableRecord> vars(size_t(get_function_n_var(r.handle)));
        get_function_variables(r.handle, vars.data());
        for (const VariableRecord &v : vars) {
            if (std::string(v.name) == "e" || std::string(v.name) == "pi")
                continue;
            lines << QStringLiteral("    ") + ValueText(v.name, v.value);
            lines << QStringLiteral("      ") + RangeText(v.min, v.max);
            lines << QStringLiteral("      ") + StepsText(v.steps);
        }
        lines << QStringLiteral("  ") + ModeName(r.mode);
        lines << QStringLiteral("    ") + ColorText(r.color1) + QStringLiteral(" in ") + shown(r.color1);
        lines << QStringLiteral("    ") + ColorText(r.color2) + QStringLiteral(" in ") + shown(r.color2);
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}
