// The document's list operations, handle ownership and view notification.
#include <vector>

#include <gtest/gtest.h>

#include "QelSlots.h"
#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"

namespace {

struct Notification {
    QObject *sender;
    int hint;
};

class DocumentTest : public QelTest {
protected:
    void SetUp() override
    {
        QelTest::SetUp();
        doc.SetFirstView(&tree);
        QObject::connect(&doc, &CVeltrix2Doc::ViewsNeedUpdate,
                         [this](QObject *sender, int hint) { seen.push_back({sender, hint}); });
    }

    FunctionRecord Compiled(const std::string &label, const std::string &text = "z(x,y)=x*y")
    {
        const DefinitionOutcome o = CompileNewFunction(text, QEL_RADIANS);
        EXPECT_TRUE(o.ok);
        FunctionRecord r;
        r.label = label;
        r.text = text;
        r.handle = o.handle;
        return r;
    }

    QObject tree;
    CVeltrix2Doc doc;
    std::vector<Notification> seen;
};

TEST_F(DocumentTest, AddNotifiesOtherViewsWithTheHandle)
{
    bool modifiedSignal = false;
    QObject::connect(&doc, &CVeltrix2Doc::ModifiedChanged, [&](bool m) { modifiedSignal = m; });
    doc.Add(Compiled("a"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(modifiedSignal);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].sender, &tree);
    EXPECT_EQ(seen[0].hint, 0);

    doc.Add(Compiled("b"), false);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(doc.Count(), 2);
}

TEST_F(DocumentTest, RemovingTheMiddleKeepsOrderAndFreesTheHandle)
{
    doc.Add(Compiled("a"));
    doc.Add(Compiled("b"));
    doc.Add(Compiled("c"));
    seen.clear();
    doc.SetModifiedFlag(false);

    doc.Remove(doc.Find(1));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].sender, &tree);
    EXPECT_EQ(seen[0].hint, -1);
    ASSERT_EQ(doc.Count(), 2);
    EXPECT_EQ(doc.Get(doc.First()).label, "a");
    EXPECT_EQ(doc.Get(doc.Next(doc.First())).label, "c");
    EXPECT_EQ(doc.Get(doc.Last()).handle, 2);
    EXPECT_EQ(doc.Next(doc.Last()), -1);
    EXPECT_EQ(UsedHandles(), 2);

    doc.Add(Compiled("d"));
    EXPECT_EQ(doc.Get(doc.Last()).handle, 1);   // the freed handle comes back
}

TEST_F(DocumentTest, UpdateReplacesInPlace)
{
    doc.Add(Compiled("a"));
    doc.Add(Compiled("b"));
    FunctionRecord r = doc.Get(1);
    r.mode = Gradient;
    r.color1 = MakeColor(1, 2, 3);
    seen.clear();
    doc.Update(1, r);
    EXPECT_EQ(doc.Get(1), r);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].hint, r.handle);

    doc.Update(5, r);   // no such position: nothing happens
    EXPECT_EQ(doc.Count(), 2);
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(DocumentTest, ClearDeletesEveryLibraryFunction)
{
    for (const char *label : {"a", "b", "c"})
        doc.Add(Compiled(label));
    seen.clear();
    doc.Clear();
    EXPECT_EQ(doc.Count(), 0);
    EXPECT_EQ(doc.First(), -1);
    EXPECT_EQ(UsedHandles(), 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].sender, nullptr);   // the tree must refresh too
    EXPECT_EQ(seen[0].hint, -1);
}

TEST_F(DocumentTest, GetAndFindOutsideTheList)
{
    doc.Add(Compiled("a"));
    EXPECT_EQ(doc.Get(-1).handle, -1);
    EXPECT_EQ(doc.Get(1).handle, -1);
    EXPECT_TRUE(doc.Get(1).label.empty());
    EXPECT_EQ(doc.Find(42), -1);
    EXPECT_EQ(doc.Find(0), 0);
}

TEST_F(DocumentTest, NewDocumentResetsEverything)
{
    doc.Add(Compiled("a"));
    doc.Settings().cubeDimension = 3;
    doc.SetPathName("/tmp/x.vxf");
    QString path = "unchanged";
    QObject::connect(&doc, &CVeltrix2Doc::PathChanged, [&](const QString &p) { path = p; });
    seen.clear();
    doc.NewDocument();
    EXPECT_EQ(doc.Count(), 0);
    EXPECT_EQ(UsedHandles(), 0);
    EXPECT_EQ(doc.Settings(), ViewSettings());
    EXPECT_TRUE(doc.PathName().isEmpty());
    EXPECT_TRUE(path.isEmpty());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].hint, -1);
}

// What the tree follows: which function came, went or changed, after the
// other views were told.
TEST_F(DocumentTest, FunctionNotificationsNameTheFunctionAfterTheViews)
{
    QStringList events;
    QObject::connect(&doc, &CVeltrix2Doc::ViewsNeedUpdate,
                     [&](QObject *, int hint) { events << QStringLiteral("views %1").arg(hint); });
    QObject::connect(&doc, &CVeltrix2Doc::FunctionInserted, [&](int p) { events << QStringLiteral("in %1").arg(p); });
    QObject::connect(&doc, &CVeltrix2Doc::FunctionRemoved, [&](int h) { events << QStringLiteral("out %1").arg(h); });
    QObject::connect(&doc, &CVeltrix2Doc::FunctionChanged, [&](int h) { events << QStringLiteral("changed %1").arg(h); });

    doc.Add(Compiled("a"));
    doc.Add(Compiled("c"));
    doc.Add(Compiled("silent"), false);
    doc.Insert(1, Compiled("b"));
    doc.Insert(9, Compiled("nowhere"));   // no such place: nothing, and its handle stays the caller's
    doc.Update(0, doc.Get(0));
    doc.NotifyVariablesChanged(1);
    doc.Remove(2);
    EXPECT_EQ(events, (QStringList{"views 0", "in 0", "views 1", "in 1", "views 3", "in 1", "views 0", "changed 0",
                                   "changed 1", "views -1", "out 1"}));
    ASSERT_EQ(doc.Count(), 3);
    EXPECT_EQ(doc.Get(0).label, "a");
    EXPECT_EQ(doc.Get(1).label, "b");
    EXPECT_EQ(doc.Get(2).label, "silent");
}

TEST_F(DocumentTest, DestroyingADocumentReleasesOnlyItsHandles)
{
    const int32_t foreign = new_function();
    {
        CVeltrix2Doc other;
        other.Add(Compiled("a"));
        other.Add(Compiled("b"));
        EXPECT_EQ(UsedHandles(), 3);
    }
    EXPECT_EQ(UsedHandles(), 1);
    EXPECT_NE(is_function_initialized(foreign), -2);
}

}  // namespace
