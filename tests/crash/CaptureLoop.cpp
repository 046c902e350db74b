// The crash test's helper: starts as the program starts (sweeping what an
// earlier run left), then stores captures into one category in a loop and
// prints "done R C" after each capture has returned, until it is killed.
// In typing mode it hands bursts of whole texts to the editor's writer
// instead, printing "done R C" once a burst is on disk.
// Usage: capture_loop ROOT RUN [start-only | typing]
#include "CrashTexts.h"
#include "store/Capture.h"
#include "store/CategoryTable.h"
#include "store/ProgramState.h"
#include "store/RunFiles.h"

#include <string>
#include <unistd.h>

using namespace kestrum;

namespace {
class SilentPresenter : public CapturePresenter {
    void showStatus(const std::string&) override {}
    void showSavedHint(const std::string&) override {}
    void showWorkingFile(const std::string&, const std::string&) override {}
    void selectCategory(int) override {}
    void playCaptureSound() override {}
    void refreshFileList() override {}
    void returnToPicture() override {}
};
int report(int run, int done) {
    std::string line = "done " + std::to_string(run) + " " + std::to_string(done) + "\n";
    return write(STDOUT_FILENO, line.data(), line.size()) < 0 ? 1 : 0;
}

// Each key's text replaces the working file whole, as the editor's do.
int typeBursts(ProgramState& state, int run) {
    std::string file = state.folders.categoryWorkingFile(crash::kCategory);
    for (int key = 0;; key += 8) {
        for (int burst = key; burst < key + 8; ++burst)
            state.workingFiles.write(file, [run, burst] { return crash::captureText(run, burst); });
        if (!state.workingFiles.wait() || report(run, key + 7) != 0)
            return 1;
    }
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    std::string root = std::string(argv[1]) + "/";
    int run = std::stoi(argv[2]);
    ProgramState state;
    state.folders = {root + "program/", root + "tmp/", root + "docs/"};
    state.openSettings();
    createWorkingFolder(state.folders);
    removeStaleSiblings(state.folders, state.settings);
    if (argc > 3 && std::string(argv[3]) == "typing")
        return typeBursts(state, run);
    if (argc > 3)
        return 0;
    state.autoSave = true;
    state.captureCategory = crash::kCategory;
    state.captureFolder = root + crash::kCategory;
    SilentPresenter presenter;
    for (int capture = 0;; ++capture) {
        captureDrop(state, crash::captureText(run, capture), false, presenter);
        if (report(run, capture) != 0)
            return 1;
    }
}
