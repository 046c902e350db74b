#include "BuildSettings.h"
#include "Desktop.h"
#include "KestrumApplication.h"
#include "Languages.h"
#include "ProgramText.h"
#include "SingleInstance.h"
#include "WindowActivation.h"
#include "net/DialUp.h"
#include "save1.h"
#include "save2.h"
#include "store/Autostart.h"
#include "store/Folders.h"
#include "store/ProgramState.h"
#include "text/Gb18030.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

kestrum::Folders runFolders(const kestrum::PrivateFolder& temporary) {
    kestrum::Folders folders;
    std::string executableFolder = fromQt(QCoreApplication::applicationDirPath());
    kestrum::SettingsFolders settings = kestrum::chooseSettingsFolders(
        {executableFolder, buildsettings::installedBinFolder,
         fromQt(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/kestrum")),
         fromQt(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
         fromQt(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))});
    folders.program = settings.program;
    folders.unsorted = settings.unsorted;
    folders.data = kestrum::shippedDataFolder(executableFolder);
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    folders.autostart = kestrum::autostart::folder(configHome ? kestrum::gb(configHome) : "",
                                                   fromQt(QDir::homePath()));
    folders.temporary = temporary.path;
    folders.documents = kestrum::withSlash(
        fromQt(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    return folders;
}

kestrum::PrivateFolder privateFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return kestrum::choosePrivateTemporaryFolder(runtime ? kestrum::gb(runtime) : std::string(),
                                                 fromQt(QDir::tempPath()), getuid());
}

// "--help" and "--version" are answered on the terminal, with no window;
// nothing else on the command line is read.
std::optional<int> answerCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--version" || argument == "-v") {
            std::printf("kestrum %s\n", buildsettings::version);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::printf("Usage: kestrum [--help | --version]\n"
                        "Collects dragged text into categories: drag selected text onto the\n"
                        "small picture and let go over a category. A second start brings the\n"
                        "running Kestrum's editor window up. See kestrum(1).\n");
            return 0;
        }
    }
    return std::nullopt;
}

bool haveDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return (platform && std::string(platform).rfind("xcb", 0) != 0 &&
            std::string(platform).rfind("wayland", 0) != 0) ||
           std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv) {
    if (auto answered = answerCommandLine(argc, argv))
        return *answered;
    if (!haveDisplay()) {
        std::fputs("Kestrum needs a desktop: no DISPLAY or WAYLAND_DISPLAY is set.\n", stderr);
        return 1;
    }
    KestrumApplication::choosePlatform();
    QtDesktop desktop;
    KestrumApplication app(argc, argv, desktop);
    kestrum::ProgramState state;
    state.language = systemInterfaceLanguage();
    installTranslations(app, state.language);
    kestrum::PrivateFolder temporary;
    try {
        temporary = privateFolder();
        state.folders = runFolders(temporary);
    } catch (const std::exception& failure) {
        showFailure(desktop, failure);
        return 1;
    }
    state.pendingNotice = temporary.notice;
    SingleInstance instance(temporary.path);
    if (instance.askRunningInstance())
        return 0;
    instance.listen();
    TForm1 dropWindow(state, desktop);
    std::string counterHost = buildsettings::counterHost;
    dropWindow.setConnectionStatusSource(
        std::make_unique<kestrum::InterfaceDialUpQuery>(),
        counterHost.empty() ? std::string()
                            : "http://" + counterHost + "/JSCounter.asp?ID=25&FMT=C&L=6&Refer=");
    guarded(desktop, [&] { dropWindow.FormCreate(); });
    dropWindow.startUp();
    QObject::connect(&dropWindow, &TForm1::exitFinished, &app, &QApplication::quit);
    QObject::connect(&dropWindow, &TForm1::closedWithoutExit, &app, &QApplication::quit);
    auto showEditor = [&](const QString& activationToken) {
        TForm2& editor = dropWindow.editor(); // built first: that sets whether it is closed
        if (state.editorClosed)
            dropWindow.mshowClick();
        bringForward(editor, activationToken);
    };
    QObject::connect(&instance, &SingleInstance::anotherStartAsked, &dropWindow, showEditor);
    int status = app.exec();
    instance.stop();
    // An orderly exit leaves nothing of the run in the temporary folder.
    ::rmdir(kestrum::gb18030::toUtf8(state.folders.temporary).c_str());
    return status;
}
