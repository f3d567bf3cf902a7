#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include "DocumentCommands.h"
#include "model/ProcessStartup.h"
#include "TestSupport.h"
#include "model/CVeltrix2Doc.h"

namespace {

// Records what the commands asked and answers as told.
struct ScriptedPrompts {
    QMessageBox::StandardButton saveAnswer = QMessageBox::Cancel;
    QString openPath;
    QString savePath;
    QStringList askedToSave;
    QStringList openFolders;     // where each open dialog started
    QStringList proposedSaves;   // what each save dialog proposed
    int saveDialogs = 0;
    QList<QPair<QString, QString>> errors;

    void Install(DocumentCommands &commands)
    {
        auto &p = commands.prompts();
        p.askToSave = [this](const QString &title) {
            askedToSave << title;
            return saveAnswer;
        };
        p.askToSaveBeforeOpening = [this](const QString &incoming, const QString &title) {
            askedToSave << incoming + QStringLiteral(" replaces ") + title;
            return saveAnswer;
        };
        p.askOpenPath = [this](const QString &folder) {
            openFolders << folder;
            return openPath;
        };
        p.askSavePath = [this](const QString &proposed) {
            ++saveDialogs;
            proposedSaves << proposed;
            return savePath;
        };
        p.showError = [this](const QString &title, const QString &text) { errors.append({title, text}); };
    }
};

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettingsStore();
        commands = std::make_unique<DocumentCommands>(&doc, nullptr);
        prompts.Install(*commands);
    }

    QString SavedDocument(const QString &name)
    {
        CVeltrix2Doc other;
        EXPECT_TRUE(AddFunction(other, "wave", "z(x,y)=cosx*siny"));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(other.Save(path));
        return path;
    }

    QTemporaryDir dir;
    CVeltrix2Doc doc;
    std::unique_ptr<DocumentCommands> commands;
    ScriptedPrompts prompts;
};

}  // namespace

TEST_F(DocumentCommandsTest, NewOnAModifiedDocumentAsksAndHonoursTheAnswer)
{
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));

    prompts.saveAnswer = QMessageBox::Cancel;
    EXPECT_FALSE(commands->New());
    EXPECT_EQ(prompts.askedToSave, QStringList{"Untitled"});
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_TRUE(doc.IsModified());

    prompts.saveAnswer = QMessageBox::No;
    EXPECT_TRUE(commands->New());
    EXPECT_EQ(doc.Count(), 0);
    EXPECT_FALSE(doc.IsModified());

    // An unmodified document is replaced without a question.
    EXPECT_TRUE(commands->New());
    EXPECT_EQ(prompts.askedToSave.size(), 2);
}

TEST_F(DocumentCommandsTest, YesOnAnUntitledDocumentSavesUnderTheChosenNameWithTheExtension)
{
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));
    prompts.saveAnswer = QMessageBox::Yes;
    prompts.savePath = dir.filePath("first");
    EXPECT_TRUE(commands->New());
    EXPECT_TRUE(QFile::exists(dir.filePath("first.vxf")));
    EXPECT_EQ(commands->Recent().Entries().value(0), dir.filePath("first.vxf"));

    // Cancelling the file dialog after "Yes" cancels the whole command.
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));
    prompts.savePath.clear();
    EXPECT_FALSE(commands->New());
    EXPECT_EQ(doc.Count(), 1);
}

TEST_F(DocumentCommandsTest, OpenAsksForTheFileBeforeAskingToSave)
{
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));
    prompts.openPath.clear();
    EXPECT_EQ(commands->Open(), DocumentCommands::OpenResult::Cancelled);
    EXPECT_TRUE(prompts.askedToSave.isEmpty());

    prompts.openPath = SavedDocument("wave.vxf");
    prompts.saveAnswer = QMessageBox::No;
    EXPECT_EQ(commands->Open(), DocumentCommands::OpenResult::Opened);
    EXPECT_EQ(prompts.askedToSave.size(), 1);
    ASSERT_EQ(doc.Count(), 1);
    EXPECT_EQ(doc.Get(doc.First()).label, "wave");
    EXPECT_EQ(commands->WindowTitle(), QStringLiteral("wave.vxf - Veltrix 2.0"));
    EXPECT_TRUE(prompts.errors.isEmpty());
}

// An untitled document is "Untitled" wherever it is named.
TEST_F(DocumentCommandsTest, AnUntitledDocumentIsCalledUntitled)
{
    EXPECT_EQ(commands->WindowTitle(), QStringLiteral("Untitled - Veltrix 2.0"));
    EXPECT_EQ(commands->WindowTitleWithMark(), QStringLiteral("Untitled[*] - Veltrix 2.0"));
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));
    prompts.saveAnswer = QMessageBox::Yes;
    EXPECT_FALSE(commands->SaveModified());   // the save dialog was cancelled
    EXPECT_EQ(prompts.askedToSave, QStringList{"Untitled"});
    ASSERT_EQ(prompts.proposedSaves.size(), 1);
    EXPECT_EQ(QFileInfo(prompts.proposedSaves[0]).fileName(), QStringLiteral("Untitled.vxf"));
}

// The file dialogs start where the user works: the document's folder, or
// the last folder a document came from or went to, in this run or before.
TEST_F(DocumentCommandsTest, FileDialogsStartInTheDocumentsFolderElseTheLastOneUsed)
{
    QTemporaryDir work, other;
    EXPECT_EQ(commands->Open(), DocumentCommands::OpenResult::Cancelled);
    EXPECT_EQ(prompts.openFolders.value(0), QString()) << "nothing known yet: the working folder";

    CVeltrix2Doc source;
    ASSERT_TRUE(AddFunction(source, "wave", "z(x,y)=cosx*siny"));
    ASSERT_TRUE(source.Save(work.filePath("a.vxf")));
    ASSERT_TRUE(source.Save(other.filePath("b.vxf")));

    ASSERT_EQ(commands->OpenPath(work.filePath("a.vxf")), DocumentCommands::OpenResult::Opened);
    // Saved elsewhere by another program part: the document's own folder counts.
    doc.SetPathName(other.filePath("b.vxf"));
    commands->Open();
    EXPECT_EQ(prompts.openFolders.value(1), other.path());

    // Untitled: the folder last opened from, also after a restart.
    commands->New();
    commands->Open();
    EXPECT_EQ(prompts.openFolders.value(2), work.path());
    DocumentCommands restarted(&doc, nullptr);
    prompts.Install(restarted);
    restarted.Open();
    EXPECT_EQ(prompts.openFolders.value(3), work.path());
    restarted.SaveAs();
    EXPECT_EQ(prompts.proposedSaves.value(0), work.filePath("Untitled.vxf"));

    // Saving counts as using a folder too.
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));
    prompts.savePath = other.filePath("c");
    ASSERT_TRUE(restarted.SaveAs());
    restarted.New();
    restarted.Open();
    EXPECT_EQ(prompts.openFolders.value(4), other.path());

    // A folder that went away is no place to start.
    const QString gone = other.path();
    other.remove();
    restarted.Open();
    EXPECT_EQ(prompts.openFolders.value(5), QString()) << gone.toStdString();
}

TEST_F(DocumentCommandsTest, DamagedFilesShowTheReaderMessagesAndLeaveAnEmptyUntitledDocument)
{
    const QString good = SavedDocument("good.vxf");
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();

    QByteArray wrongSignature = bytes;
    wrongSignature[0] = 'X';
    QByteArray wrongVersion = bytes;
    wrongVersion[12] = 1;
    const QByteArray cut = bytes.left(bytes.size() - 30);

    struct Case {
        QByteArray bytes;
        QString title, text;
    } cases[] = {
        {wrongSignature, "Bad file format", "Invalid file"},
        {wrongVersion, "Bad file format", "Invalid file"},
        {cut, "Error", "Bad file format"},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));
        doc.SetModifiedFlag(false);
        prompts.errors.clear();
        const QString path = WriteFile(dir.path(), "damaged.vxf", c.bytes);
        EXPECT_EQ(commands->OpenPath(path), DocumentCommands::OpenResult::Opened);
        ASSERT_EQ(prompts.errors.size(), 1);
        EXPECT_EQ(prompts.errors[0].first, c.title);
        EXPECT_EQ(prompts.errors[0].second, c.text);
        EXPECT_EQ(doc.Count(), 0);
        EXPECT_TRUE(doc.PathName().isEmpty());
        EXPECT_EQ(commands->WindowTitle(), QStringLiteral("Untitled - Veltrix 2.0"));
        EXPECT_FALSE(commands->Recent().Entries().contains(path));
    }
}

TEST_F(DocumentCommandsTest, AFileThatCannotBeReadFailsAndLeavesTheRecentList)
{
    const QString path = SavedDocument("gone.vxf");
    EXPECT_EQ(commands->OpenPath(path), DocumentCommands::OpenResult::Opened);
    ASSERT_TRUE(commands->Recent().Entries().contains(path));
    QFile::remove(path);
    EXPECT_EQ(commands->OpenPath(path), DocumentCommands::OpenResult::Failed);
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(prompts.errors[0].first, QStringLiteral("Veltrix 2.0"));
    EXPECT_FALSE(commands->Recent().Entries().contains(path));
}

// A file handed over by another start was not chosen in this window: the
// question about the changes names it, and so does every error.
TEST_F(DocumentCommandsTest, AHandedOverFileIsNamedInTheQuestionAndItsErrors)
{
    const QString j1 = SavedDocument("j1.vxf");
    ASSERT_EQ(commands->OpenPath(j1), DocumentCommands::OpenResult::Opened);
    doc.SetModifiedFlag(true);
    const QString other = SavedDocument("other.vxf");
    prompts.saveAnswer = QMessageBox::Cancel;
    EXPECT_EQ(commands->OpenHandedOver(other), DocumentCommands::OpenResult::Cancelled);
    EXPECT_EQ(prompts.askedToSave, QStringList{"other.vxf replaces j1.vxf"});
    EXPECT_EQ(doc.PathName(), j1);

    prompts.saveAnswer = QMessageBox::No;
    const QString missing = dir.filePath("missing.vxf");
    EXPECT_EQ(commands->OpenHandedOver(missing), DocumentCommands::OpenResult::Failed);
    const QString damaged = WriteFile(dir.path(), "damaged.vxf", "not a plot");
    EXPECT_EQ(commands->OpenHandedOver(damaged), DocumentCommands::OpenResult::Opened);
    ASSERT_EQ(prompts.errors.size(), 2);
    EXPECT_EQ(prompts.errors[0].second,
              QStringLiteral("The document %1 cannot be opened: No such file or directory.").arg(missing));
    EXPECT_EQ(prompts.errors[1].first, QStringLiteral("Bad file format"));
    EXPECT_EQ(prompts.errors[1].second, QStringLiteral("%1: Invalid file").arg(damaged));
}

TEST_F(DocumentCommandsTest, SaveOfATitledDocumentWritesInPlaceAndSaveAsAsksAgain)
{
    const QString path = SavedDocument("titled.vxf");
    ASSERT_EQ(commands->OpenPath(path), DocumentCommands::OpenResult::Opened);
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));
    EXPECT_TRUE(commands->Save());
    EXPECT_EQ(prompts.saveDialogs, 0);
    EXPECT_FALSE(doc.IsModified());

    prompts.savePath = dir.filePath("copy.VXF");
    EXPECT_TRUE(commands->SaveAs());
    EXPECT_EQ(prompts.saveDialogs, 1);
    EXPECT_EQ(doc.PathName(), dir.filePath("copy.VXF"));

    CVeltrix2Doc reread;
    EXPECT_EQ(reread.Open(path), ReadOutcome::Ok);
    EXPECT_EQ(reread.Count(), 2);
}

// A name typed with another extension gets ".vxf" after the dialog has
// closed: a file of that name is replaced only when the user says so, and
// otherwise the dialog comes back.
TEST_F(DocumentCommandsTest, SaveAsAsksBeforeReplacingTheFileNamedByTheAddedExtension)
{
    const QString victim = SavedDocument("notes.txt.vxf");
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));

    QStringList proposals, askedToReplace;
    QStringList answers = {dir.filePath("notes.txt"), QString()};
    bool replace = false;
    commands->prompts().askSavePath = [&](const QString &proposed) {
        proposals << proposed;
        return answers.takeFirst();
    };
    commands->prompts().askOverwrite = [&](const QString &path) {
        askedToReplace << path;
        return replace;
    };
    EXPECT_FALSE(commands->SaveAs());
    EXPECT_EQ(askedToReplace, QStringList{victim});
    EXPECT_EQ(proposals.value(1), victim) << "the dialog comes back with the name";
    file.seek(0);
    EXPECT_EQ(file.readAll(), before);
    EXPECT_TRUE(doc.IsModified());

    answers = {dir.filePath("notes.txt")};
    replace = true;
    EXPECT_TRUE(commands->SaveAs());
    EXPECT_EQ(doc.PathName(), victim);
    EXPECT_EQ(askedToReplace.size(), 2);

    // A new name or one the dialog already checked is not asked about again.
    answers = {dir.filePath("fresh"), victim};
    EXPECT_TRUE(commands->SaveAs());
    EXPECT_TRUE(commands->SaveAs());
    EXPECT_EQ(askedToReplace.size(), 2);
}

TEST_F(DocumentCommandsTest, AFailedSaveIsReportedAndKeepsTheDocumentModified)
{
    ASSERT_TRUE(AddFunction(doc, "saddle", "z(x,y)=x^2-y^2"));
    prompts.saveAnswer = QMessageBox::Yes;
    prompts.savePath = dir.filePath("no/such/folder/doc.vxf");
    EXPECT_FALSE(commands->SaveModified());
    EXPECT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(doc.IsModified());
}

// A file-size limit cut the write short: the program must live on to say so,
// with the document still modified and the previous file as it was.  Run in
// a child process that starts up as the program does; without that start-up
// the limit's signal would end the child.
TEST_F(DocumentCommandsTest, ASaveCutShortByAFileSizeLimitIsReportedAndLosesNothing)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const QString path = SavedDocument("kept.vxf");
    auto saveUnderALimit = [&]() -> int {
        std::signal(SIGXFSZ, SIG_DFL);
        PrepareProcess();
        QFile file(path);
        if (commands->OpenPath(path) != DocumentCommands::OpenResult::Opened || !file.open(QIODevice::ReadOnly))
            return 2;
        const QByteArray before = file.readAll();
        doc.Settings().axisLabelX = std::string(5000, 'x');
        doc.SetModifiedFlag(true);

        struct rlimit limit;
        getrlimit(RLIMIT_FSIZE, &limit);
        const struct rlimit original = limit;
        limit.rlim_cur = 200;
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = commands->Save();
        setrlimit(RLIMIT_FSIZE, &original);

        file.seek(0);
        const bool sameFile = file.readAll() == before;
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        std::fprintf(stderr, "saved %d, errors %d, modified %d, same file %d, files %s\n", saved,
                     int(prompts.errors.size()), doc.IsModified(), sameFile, qPrintable(files.join(',')));
        const bool ok = !saved && prompts.errors.size() == 1 && doc.IsModified() && sameFile &&
                        files == QStringList{"kept.vxf"};
        return ok ? 0 : 1;
    };
    EXPECT_EXIT(std::_Exit(saveUnderALimit()), testing::ExitedWithCode(0), "");
}
