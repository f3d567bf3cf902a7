#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidgetItem>

#include "FakePrompter.h"
#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"
#include "qel/qel.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/CVeltrix2View.h"
#include "tree/LabelDialog.h"
#include "tree/PersistentEdit.h"
#include "tree/TextDialog.h"

class ViewTest : public ::testing::Test {
protected:
    ViewTest()
    {
        view.resize(400, 600);
        view.show();
    }
    void TearDown() override { delete_all(); }

    // Adds a function through the document, as an opened file would; the
    // tree follows the document.
    int32_t AddDirect(const std::string &label, const std::string &text)
    {
        const DefinitionOutcome outcome = CompileNewFunction(text, QEL_RADIANS);
        EXPECT_TRUE(outcome.ok) << text;
        FunctionRecord record;
        record.label = label;
        record.text = text;
        record.handle = outcome.handle;
        doc.Add(record);
        return outcome.handle;
    }

    // Scripts the label and text dialogs of "Add Function...".
    void ScriptAdd(const QString &label, const QString &text)
    {
        prompter.Accept<LabelDialog>([label](LabelDialog &d) { d.Edit()->setText(label); });
        prompter.Accept<TextDialog>([text](TextDialog &d) { d.Edit()->setPlainText(text); });
    }

    const TreeNodeEntry *Node(int32_t handle, TreeNodeKind kind, const std::string &variable = {}) const
    {
        for (const TreeNodeEntry &entry : view.Nodes())
            if (entry.function == handle && entry.kind == kind && (variable.empty() || entry.variable == variable))
                return &entry;
        return nullptr;
    }

    QString NodeText(int32_t handle, TreeNodeKind kind, const std::string &variable = {}) const
    {
        const TreeNodeEntry *entry = Node(handle, kind, variable);
        return entry ? entry->item->text(0) : QStringLiteral("<missing>");
    }

    void Select(int32_t handle, TreeNodeKind kind, const std::string &variable = {})
    {
        const TreeNodeEntry *entry = Node(handle, kind, variable);
        ASSERT_NE(entry, nullptr);
        view.Tree()->setCurrentItem(entry->item);
    }

    VariableRecord Variable(int32_t handle, const char *name) const
    {
        VariableRecord record{};
        EXPECT_EQ(get_function_variable(handle, name, &record), 1) << name;
        return record;
    }

    FakePrompter prompter;
    CVeltrix2Doc doc;
    CVeltrix2View view{&doc};
};
