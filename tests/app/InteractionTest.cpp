// Random sessions of what a person does with the two windows, through
// input events only, each step checked against what the user did: the
// editor's text goes to the category it shows and nowhere else, no file
// goes that the user did not confirm a delete for, every capture is on
// disk, and the settings hold the list. A failing session is shrunk to
// the fewest steps that still fail and printed with its seed.
//
//   InteractionTest                    the suite's fixed seeds
//   InteractionTest --seed N --steps K one session
//   InteractionTest --soak SECONDS     random seeds until the time is up
#include "AppFixture.h"
#include "UserInput.h"
#include "store/CategoryTable.h"

#include <QClipboard>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <cstdio>
#include <map>
#include <set>

using namespace kestrum;

namespace {

enum class Kind {
    Select,
    Type,
    DeleteCategory,
    CreateCategory,
    MoveToTop,
    CapturePaste,
    CaptureDrop,
    ClickFile,
    DeleteFile,
    Save,
    MoveText,
    FocusAway,
    ExitAndRestart,
};
constexpr int kKinds = 13;
const char* const kKindNames[] = {
    "select",    "type",       "delete category", "new category", "move to top",
    "paste",     "drop",       "click file",      "delete file",  "save",
    "move text", "focus away", "exit and restart"};

// One step: what and two numbers that pick rows, answers and texts when it
// is done, so a shorter session replays the same choices.
struct Step {
    Kind kind;
    quint32 a, b;
};

std::string describe(const Step& step) {
    return std::string(kKindNames[int(step.kind)]) + "(" + std::to_string(step.a % 97) + ", " +
           std::to_string(step.b % 97) + ")";
}

// Program text as the terminal shows it.
std::string readable(const std::string& programText) {
    return toQt(programText).toStdString();
}

using Snapshot = std::map<std::string, std::string>; // path -> bytes

Snapshot filesBelow(const QString& folder) {
    Snapshot out;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        std::string path = fromQt(it.next());
        out[path] = files::load(path);
    }
    return out;
}

struct Failure {
    std::string what;
};

void check(bool holds, const std::string& what) {
    if (!holds)
        throw Failure{what};
}

// The program's windows over one scratch folder, and what the user knows.
class Session {
  public:
    Session() {
        for (const char* sub : {"program", "tmp", "docs", "cats/a", "cats/b", "cats/c"})
            QDir(root_.path()).mkpath(sub);
        files::replace(path("program/tuckpad.ini"),
                       gb("[类别]\r\n甲=" + path("cats/a") + "\r\n乙=" + path("cats/b") +
                          "\r\n丙=" + path("cats/c") + "\r\n"));
        for (const char* name : {"a/one.txt", "a/two.txt", "b/three.txt"})
            files::replace(path(std::string("cats/") + name), name);
        start();
    }
    ~Session() { drop_.reset(); }

    void run(const Step& step) {
        Snapshot before = categoryFiles();
        Snapshot workingBefore = workingFiles();
        std::optional<std::string> confirmedDelete;
        switch (step.kind) {
        case Kind::Select:
            if (int row = pick(editor_->ListBox1, step.a); row >= 0) {
                input::click(editor_->ListBox1, row);
                shown_ = fromQt(editor_->ListBox1->item(row)->text());
            }
            break;
        case Kind::Type:
            typeInEditor(step.a % 5 == 0 ? QString() : QStringLiteral("w%1 ").arg(step.b % 1000),
                         step.a % 5 == 0);
            settle();
            checkOnlyShownChanged(workingBefore);
            break;
        case Kind::DeleteCategory:
            // The menu acts on the highlighted entry, not on the row clicked.
            if (int row = pick(editor_->ListBox1, step.a); row >= 0) {
                auto highlighted = editor_->ListBox1->selectedItems();
                std::string name = highlighted.isEmpty() ? "" : fromQt(highlighted[0]->text());
                if (input::chooseOnRow(editor_->ListBox1, row, editor_->listdel) && shown_ == name)
                    shown_.reset();
            }
            break;
        case Kind::CreateCategory:
            createCategory(step.a);
            break;
        case Kind::MoveToTop:
            if (int row = pick(editor_->ListBox1, step.a); row >= 0)
                input::chooseOnRow(editor_->ListBox1, row, editor_->listmove);
            break;
        case Kind::CapturePaste:
            capturePaste(step.a);
            break;
        case Kind::CaptureDrop:
            captureDrop(step.a, step.b);
            break;
        case Kind::ClickFile:
            if (int row = pick(editor_->FileListBox1, step.a); row >= 0)
                input::click(editor_->FileListBox1, row);
            break;
        case Kind::DeleteFile:
            confirmedDelete = deleteFile(step.a, step.b % 2 == 0);
            break;
        case Kind::Save:
            save(step.a);
            break;
        case Kind::MoveText:
            moveText(step.a);
            break;
        case Kind::FocusAway:
            input::switchAway(editor_, drop_.get());
            break;
        case Kind::ExitAndRestart:
            exitAndRestart(step.b % 3);
            return;
        }
        settle();
        checkNothingGone(before, confirmedDelete);
        Snapshot after = categoryFiles();
        for (const auto& [file, bytes] : before)
            if (!after.count(file))
                deletedTexts_.push_back(bytes);
        checkInvariants();
    }

  private:
    std::string path(const std::string& relative) const {
        return fromQt(root_.path()) + "/" + relative;
    }

    void start() {
        state_ = std::make_unique<ProgramState>();
        state_->folders = {path("program/"), path("tmp/"), path("docs/"), path("share/"),
                           path("config/autostart/")};
        drop_ = std::make_unique<TForm1>(*state_, desktop_);
        drop_->FormCreate();
        drop_->startUp();
        editor_ = &drop_->editor();
        chooseFromDropMenu(drop_->mshow);
        editor_->activateWindow();
        check(QTest::qWaitForWindowActive(editor_), "the editor window never became active");
        auto shownNow = editor_->ListBox1->selectedItems();
        shown_ = fromQt(shownNow.value(0)->text());
    }

    // The writes the window handed over are done, and their news told.
    void settle() {
        state_->workingFiles.wait();
        QCoreApplication::processEvents();
    }

    static int pick(QListWidget* list, quint32 choice) {
        return list->count() == 0 ? -1 : int(choice % quint32(list->count()));
    }

    bool chooseFromDropMenu(QAction* entry) {
        return input::choose(input::rightClick(drop_->Image1, {5, 5}), entry);
    }

    void typeInEditor(const QString& text, bool clearAll) {
        input::click(editor_->RichEdit2);
        QTest::keyClick(editor_->RichEdit2, Qt::Key_End, Qt::ControlModifier);
        if (clearAll)
            QTest::keyClick(editor_->RichEdit2, Qt::Key_Delete, Qt::ControlModifier);
        else
            input::type(editor_->RichEdit2, text);
    }

    void createCategory(quint32 choice) {
        if (!input::chooseOnRow(editor_->ListBox1, 0, editor_->mlei))
            return;
        QString name = QStringLiteral("新%1").arg(choice % 4);
        QString folder = toQt(path("cats/" + std::string(choice % 2 ? "a" : "new")));
        QDir().mkpath(folder);
        input::click(editor_->Edit1);
        QTest::keyClick(editor_->Edit1, Qt::Key_A, Qt::ControlModifier);
        input::type(editor_->Edit1, name);
        desktop_.folders << folder;
        input::click(editor_->Button1);
    }

    void capturePaste(quint32 choice) {
        std::string text = "paste" + std::to_string(++captures_) + "-" + std::to_string(choice);
        QApplication::clipboard()->setText(toQt(text));
        if (editor_->ListBox1->count() == 0 || !chooseFromDropMenu(drop_->mpaste))
            return;
        recordCapture(fromQt(editor_->ListBox1->item(0)->text()), text);
    }

    void captureDrop(quint32 row, quint32 choice) {
        std::string text = "drop" + std::to_string(++captures_) + "-" + std::to_string(choice);
        Drag drag(toQt(text));
        if (!drag.enter(drop_.get(), {5, 5}))
            return;
        QListWidget* list = drop_->ListBox1;
        int target = pick(list, row);
        if (target < 0) {
            drag.leave(drop_.get());
            return;
        }
        QPoint at = list->mapTo(drop_.get(), input::centreOf(list, target));
        drag.move(drop_.get(), at);
        std::string category = state_->captureCategory;
        drag.drop(drop_.get(), at);
        recordCapture(category, text);
    }

    // Only with auto-save on is a capture kept in its category's folder.
    void recordCapture(const std::string& category, const std::string& text) {
        shown_ = category;
        if (state_->autoSave)
            kept_.push_back({category, text});
    }

    std::optional<std::string> deleteFile(quint32 row, bool ok) {
        QListWidget* list = editor_->FileListBox1;
        int target = pick(list, row);
        if (target < 0)
            return std::nullopt;
        auto highlighted = list->selectedItems();
        std::optional<std::string> confirmed;
        if (ok && !highlighted.isEmpty())
            confirmed = fromQt(highlighted.first()->text());
        desktop_.answers = {ok};
        input::chooseOnRow(list, target, editor_->N11);
        desktop_.answers.clear();
        return confirmed;
    }

    void save(quint32 choice) {
        if (editor_->ListBox1->selectedItems().isEmpty())
            return;
        QString file = toQt(path("cats/b/saved" + std::to_string(choice % 5) + ".txt"));
        if (QFileInfo::exists(file))
            return; // the dialog would ask before replacing it
        desktop_.saveNames = {file};
        input::click(editor_->RichEdit2);
        QTest::keyClick(editor_->RichEdit2, Qt::Key_S, Qt::ControlModifier);
        desktop_.saveNames.clear();
    }

    void moveText(quint32 choice) {
        QWidget* viewport = editor_->RichEdit2->viewport();
        QMenu* menu = input::rightClick(viewport, viewport->rect().center());
        if (!menu || !editor_->textmove->menuAction()->isVisible()) {
            if (menu)
                menu->close();
            return;
        }
        auto targets = editor_->textmove->actions();
        QAction* target = targets.value(int(choice % quint32(std::max(1, int(targets.size())))));
        QString name = target ? target->text() : QString();
        if (!input::choose(menu, editor_->textmove->menuAction()))
            return;
        // A submenu opens after a short delay, as under a hovering pointer.
        check(QTest::qWaitFor([this] { return editor_->textmove->isVisible(); }, 2000),
              "the submenu 转移到 did not open");
        if (input::choose(editor_->textmove, target))
            shown_ = fromQt(name);
        else
            menu->close();
    }

    void exitAndRestart(quint32 answer) {
        auto choice = Desktop::UnsavedAnswer(answer);
        Snapshot before = categoryFiles();
        Snapshot working = workingFiles();
        desktop_.unsavedAnswers = {choice};
        desktop_.questions.clear();
        chooseFromDropMenu(drop_->mexit);
        desktop_.unsavedAnswers.clear();
        checkNothingGone(before, std::nullopt);
        if (choice == Desktop::UnsavedAnswer::Stay && !desktop_.questions.isEmpty()) {
            desktop_.questions.clear();
            check(workingFiles() == working, "the exit deleted before its answer");
            return checkInvariants();
        }
        desktop_.questions.clear();
        check(workingFiles().empty(), "the exit left working files");
        drop_.reset();
        start();
        checkInvariants();
    }

    // The categories' folders, the pseudo-category's (the program folder) among them.
    Snapshot categoryFiles() const {
        Snapshot out = filesBelow(toQt(path("cats")));
        for (auto& [file, bytes] : filesBelow(toQt(path("program"))))
            if (QFileInfo(toQt(file)).suffix() == QStringLiteral("txt"))
                out[file] = std::move(bytes);
        return out;
    }

    Snapshot workingFiles() const {
        Snapshot out;
        for (const auto& [file, bytes] : filesBelow(toQt(path("tmp"))))
            if (file.size() > 8 && file.compare(file.size() - 8, 8, "temp.txt") == 0)
                out[file] = bytes;
        return out;
    }

    void checkOnlyShownChanged(const Snapshot& before) {
        Snapshot after = workingFiles();
        std::string own = shown_ ? state_->folders.categoryWorkingFile(*shown_) : std::string();
        std::set<std::string> all;
        for (const auto& [file, bytes] : before)
            all.insert(file);
        for (const auto& [file, bytes] : after)
            all.insert(file);
        for (const auto& file : all)
            if (file != own) {
                auto was = before.find(file);
                auto is = after.find(file);
                bool same = (was == before.end()) == (is == after.end()) &&
                            (was == before.end() || was->second == is->second);
                check(same, "typing changed " + readable(file) + ", not the shown category's file");
            }
    }

    void checkNothingGone(const Snapshot& before, const std::optional<std::string>& confirmed) {
        Snapshot after = categoryFiles();
        for (const auto& [file, bytes] : before) {
            std::string name = confirmed ? "/" + *confirmed : std::string();
            bool allowed = confirmed && file.size() >= name.size() &&
                           file.compare(file.size() - name.size(), std::string::npos, name) == 0;
            check(after.count(file) || allowed,
                  readable(file) + " disappeared without a confirmed delete");
        }
    }

    void checkInvariants() {
        // The editor shows its category's working file, as on disk.
        if (shown_) {
            std::string file = state_->folders.categoryWorkingFile(*shown_);
            std::string text = editor_->editorText();
            bool blank = text.find_first_not_of(" \r\n\t") == std::string::npos;
            check(files::exists(file) ? files::load(file) == text : blank,
                  "the editor does not show " + readable(*shown_) + "'s working file");
        }
        // Every capture kept in a folder is there, unless the user deleted it.
        Snapshot stored = categoryFiles();
        for (const auto& [category, text] : kept_) {
            (void)category;
            bool found = false;
            for (const auto& [file, bytes] : stored)
                found = found || bytes == text;
            bool deleted =
                std::find(deletedTexts_.begin(), deletedTexts_.end(), text) != deletedTexts_.end();
            check(found || deleted, "the capture " + text + " is not on disk");
        }
        // The settings parse and their category table is the list.
        auto keys = categories::names(state_->settings);
        check(keys == editor_->categoryNames(), "the category table differs from the list");
    }

    QTemporaryDir root_;
    RecordingDesktop desktop_;
    std::unique_ptr<ProgramState> state_;
    std::unique_ptr<TForm1> drop_;
    TForm2* editor_ = nullptr;
    std::optional<std::string> shown_; // the category the user opened last
    std::vector<std::pair<std::string, std::string>> kept_;
    std::vector<std::string> deletedTexts_;
    int captures_ = 0;
};

std::vector<Step> randomSteps(quint32 seed, int count) {
    QRandomGenerator random(seed);
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back({Kind(random.bounded(kKinds)), random.generate(), random.generate()});
    return steps;
}

// The failure of `steps`, or nothing when they all pass.
std::optional<std::string> replay(const std::vector<Step>& steps) {
    Session session;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        try {
            session.run(steps[i]);
        } catch (const Failure& failure) {
            return "step " + std::to_string(i + 1) + " " + describe(steps[i]) + ": " + failure.what;
        }
    }
    return std::nullopt;
}

// Drops steps, longest runs first, while the session still fails.
std::vector<Step> shrink(std::vector<Step> steps) {
    for (std::size_t chunk = steps.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t at = 0; at + chunk <= steps.size();) {
            std::vector<Step> shorter = steps;
            shorter.erase(shorter.begin() + long(at), shorter.begin() + long(at + chunk));
            if (replay(shorter))
                steps = shorter;
            else
                at += chunk;
        }
    }
    return steps;
}

bool runSeed(quint32 seed, int count) {
    auto steps = randomSteps(seed, count);
    auto failure = replay(steps);
    if (!failure)
        return true;
    std::printf("seed %u failed: %s\n", seed, failure->c_str());
    auto shortest = shrink(steps);
    std::printf("shortest failing session (%zu steps): %s\n", shortest.size(),
                replay(shortest).value_or("").c_str());
    for (const auto& step : shortest)
        std::printf("  %s\n", describe(step).c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // The headless platform's notes on what it cannot do would bury the report.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtWarningMsg && type != QtInfoMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    int steps = args.contains("--steps") ? args.value(args.indexOf("--steps") + 1).toInt() : 50;
    int passed = 0, failed = 0;
    auto one = [&](quint32 seed) { runSeed(seed, steps) ? ++passed : ++failed; };
    if (args.contains("--seed")) {
        one(args.value(args.indexOf("--seed") + 1).toUInt());
    } else if (args.contains("--soak")) {
        qint64 seconds = args.value(args.indexOf("--soak") + 1).toLongLong();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < seconds * 1000 && failed == 0)
            one(QRandomGenerator::global()->generate());
        std::printf("%d sessions of %d steps: %lld steps\n", passed + failed, steps,
                    (long long)(passed + failed) * steps);
    } else {
        for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u})
            one(seed);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
