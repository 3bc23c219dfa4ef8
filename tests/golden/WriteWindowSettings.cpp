// Writes the settings file that the window writes when it closes, without a
// window: the document is loaded into the settings model the way the
// window's start-up loads its settings file (stopping at the first error),
// optional KEY=VALUE lines are then taken as if typed into the controls, and
// the file is saved as closing saves it, with the keys that closing writes.
//   golden_write_settings IN.ini OUT.ini [KEY=VALUE...]

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "model/Errors.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsModel.h"

namespace {

using namespace polygrav;

// The folder the window would take as its favourite without one in the file.
constexpr const char* kProgramFolder = "/golden";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: golden_write_settings IN.ini OUT.ini [KEY=VALUE...]\n", stderr);
        return 2;
    }
    try {
        IniDocument doc = LoadIniFile(argv[1]);
        SettingsModel model;
        SettingsKey reading{};
        std::optional<SettingsKey> stoppedAt;
        TStarSettings atStop;
        std::string favoriteDirAtStop;
        try {
            ReadSettings(doc, kProgramFolder, model, &reading);
        } catch (const EPolygravError& e) {
            stoppedAt = reading;
            atStop = model.values;
            favoriteDirAtStop = model.favoriteDir;
            std::printf("load stopped: %s\n", e.what());
        }
        try {
            if (!stoppedAt) model.UpdateDisplays();
        } catch (const EPolygravError& e) {
            // The window shows this in a box; every key was loaded.
            std::printf("displays: %s\n", e.what());
        }
        for (int i = 3; i < argc; ++i) {
            SettingsModel typed = model;
            ReadSettings(IniDocument::Parse(std::string("[") + kSettingsSection + "]\n" + argv[i]),
                         model.favoriteDir, typed);
            model.values = typed.values;
        }
        WriteSettings(
            doc, model.favoriteDir, model.values,
            KeysToSave(stoppedAt, atStop, favoriteDirAtStop, model.values, model.favoriteDir));
        SaveIniFile(argv[2], doc);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "golden_write_settings: %s\n", e.what());
        return 1;
    }
    return 0;
}
