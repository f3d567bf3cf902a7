#include "TraceButtonTexts.h"

#include <QAction>

#include "CommandActions.h"
#include "CommandIds.h"
#include "CommandTexts.h"
#include "model/FunctionDefinition.h"
#include "model/DependentKind.h"

void NameTraceButtons(CommandActions &actions, const std::string &definition)
{
    const DependentKind kind =
        definition.empty() ? NoKind : KindFromName(ExtractNames(definition).dependent);
    const QString first = QString::fromLatin1(FirstPlottedName(kind));
    const QString second = QString::fromLatin1(SecondPlottedName(kind));
    const struct {
        int id;
        const QString &variable;
    } buttons[] = {{Cmd::TraceIndex1Up, first},
                   {Cmd::TraceIndex1Down, first},
                   {Cmd::TraceIndex2Up, second},
                   {Cmd::TraceIndex2Down, second}};
    for (const auto &b : buttons) {
        const CommandText text = TraceStepText(b.id, b.variable);
        QAction *action = actions.Get(b.id);
        action->setToolTip(text.toolTip);
        action->setStatusTip(text.prompt);
    }
}
