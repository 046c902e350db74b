// Capture and category-table costs at the sizes users reach: a 1 MB capture
// into a 10 MB working file, and a table of 1,000 categories.
#include "store/Capture.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/ProgramState.h"
#include "text/Gb18030.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

using namespace kestrum;

namespace {

struct Sandbox {
    std::string root;
    Sandbox() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrum-bench-XXXXXX");
        root = std::string(mkdtemp(pattern.data())) + "/";
    }
    ~Sandbox() { std::filesystem::remove_all(root); }
};

class NullPresenter : public CapturePresenter {
    void showStatus(const std::string&) override {}
    void showSavedHint(const std::string&) override {}
    void showWorkingFile(const std::string&, const std::string& t) override {
        benchmark::DoNotOptimize(t.data());
    }
    void selectCategory(int) override {}
    void playCaptureSound() override {}
    void refreshFileList() override {}
    void returnToPicture() override {}
};

std::string textOf(std::size_t bytes) {
    std::string line = "A line of captured text, with some words in it. \xD6\xD0\xCE\xC4\r\n";
    std::string text;
    while (text.size() < bytes)
        text += line;
    text.resize(bytes);
    return text;
}

void BM_CaptureIntoLargeWorkingFile(benchmark::State& run) {
    Sandbox box;
    ProgramState state;
    state.folders = {box.root, box.root, box.root};
    std::filesystem::create_directories(state.folders.working());
    state.openSettings();
    state.captureCategory = "notes";
    state.captureFolder = box.root;
    const std::string capture = textOf(static_cast<std::size_t>(run.range(0)) << 20);
    const std::string old = textOf(static_cast<std::size_t>(run.range(1)) << 20);
    NullPresenter presenter;
    for (auto _ : run) {
        run.PauseTiming();
        files::replace(state.folders.categoryWorkingFile("notes"), old);
        run.ResumeTiming();
        captureDrop(state, capture, false, presenter);
    }
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * (capture.size() + old.size())));
}
BENCHMARK(BM_CaptureIntoLargeWorkingFile)
    ->Args({1, 10})
    ->Args({1, 20})
    ->Args({2, 20})
    ->Unit(benchmark::kMillisecond);

IniFile tableOf(const Sandbox& box, int count, std::vector<std::string>& names) {
    std::string content = gb("[程序参数]\r\n窗口顶部=300\r\n[类别]\r\n");
    for (int i = 0; i < count; ++i) {
        names.push_back("category" + std::to_string(i));
        content += names.back() + "=/home/user/Documents/notes/folder" + std::to_string(i) + "\r\n";
    }
    files::replace(box.root + "tuckpad.ini", content);
    return IniFile(box.root + "tuckpad.ini");
}

void BM_ListCategoryKeys(benchmark::State& run) {
    Sandbox box;
    std::vector<std::string> names;
    IniFile settings = tableOf(box, static_cast<int>(run.range(0)), names);
    for (auto _ : run)
        benchmark::DoNotOptimize(categories::names(settings));
}
BENCHMARK(BM_ListCategoryKeys)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_RewriteCategoryOrder(benchmark::State& run) {
    Sandbox box;
    std::vector<std::string> names;
    IniFile settings = tableOf(box, static_cast<int>(run.range(0)), names);
    for (auto _ : run) {
        std::rotate(names.begin(), names.end() - 1, names.end()); // last to the top
        categories::rewriteInOrder(settings, box.root + "tuckpadtemp.ini", names, box.root);
    }
}
BENCHMARK(BM_RewriteCategoryOrder)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
