#pragma once

// The two windows on a scratch program folder under the temporary folder,
// started as the program starts them, for the benchmarks that drive the
// editor. The folder goes when the object does.
#include "Desktop.h"
#include "save1.h"
#include "save2.h"
#include "store/ProgramState.h"
#include "text/Gb18030.h"

#include <filesystem>
#include <memory>
#include <string>

struct BenchWindows {
    std::filesystem::path root;
    std::string base; // the root in program text, with a slash
    QtDesktop desktop;
    kestrum::ProgramState state;
    std::unique_ptr<TForm1> drop;

    // Makes program/, tmp/ and docs/ under a fresh `name` folder; the
    // settings may be written before start().
    explicit BenchWindows(const char* name) : root(std::filesystem::temp_directory_path() / name) {
        std::filesystem::remove_all(root);
        for (const char* sub : {"program", "tmp", "docs"})
            std::filesystem::create_directories(root / sub);
        base = kestrum::gb(root.string()) + "/";
        state.folders = {base + "program/", base + "tmp/", base + "docs/"};
    }
    ~BenchWindows() {
        drop.reset();
        std::filesystem::remove_all(root);
    }

    TForm2& start() {
        drop = std::make_unique<TForm1>(state, desktop);
        drop->FormCreate();
        drop->startUp();
        return drop->editor();
    }
};
