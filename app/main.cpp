// vorn-foe: the window, or an answer on the command line (CommandLine.h).
// The command line's answers are computed here, without Qt; the window and
// the printed encounter sheet live in the module WindowModule.h describes,
// loaded only for them.

#include "CommandLine.h"
#include "FoeCommands.h"
#include "HelperProcess.h"
#include "WindowModule.h"

#include <dlfcn.h>

#include <cstdio>

namespace {

constexpr const char* kWindowModule = "vorn-foe-window.so";

// The module's entry point `name`, or null after saying why on standard error.
void* windowEntry(const char* name)
{
    const std::filesystem::path module = programFolder() / kWindowModule;
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = handle ? dlsym(handle, name) : nullptr;
    if (!entry)
        std::fprintf(stderr, "vorn-foe: the window cannot start: %s\n", dlerror());
    return entry;
}

int fail(int status, const std::string& problem)
{
    std::fprintf(stderr, "vorn-foe: %s\n", problem.c_str());
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string problem;
    const std::optional<CommandLine> command = readCommandLine({argv + 1, argv + argc}, problem);
    if (!command)
        return fail(2, problem);

    using Task = CommandLine::Task;
    switch (command->task) {
    case Task::Help:
        std::fputs(commandLineHelp().c_str(), stdout);
        return 0;
    case Task::Version:
        std::printf("vorn-foe %s\n", VORN_VERSION);
        return 0;
    case Task::Window: {
        const auto window = reinterpret_cast<VornFoeWindow>(windowEntry("vornFoeWindow"));
        if (!window)
            return 1;
        return window(argc, argv, command->bestiary ? command->bestiary->c_str() : nullptr);
    }
    case Task::List:
    case Task::Foes:
    case Task::Sheet:
        break;
    }

    std::optional<ChosenBestiary> bestiary = openBestiaryForCommand(*command);
    if (!bestiary)
        return 1;
    if (command->task == Task::List)
        return listFoes(*bestiary->database, command->category);

    const auto blocks = computeBlocks(*command, *bestiary->database, problem);
    if (!blocks)
        return fail(1, problem);
    if (command->task == Task::Foes) {
        std::fputs(formatBlocks(*blocks, command->format).c_str(), stdout);
        return 0;
    }
    const auto sheet = reinterpret_cast<VornFoeSheet>(windowEntry("vornFoeSheet"));
    if (!sheet)
        return 1;
    return sheet(argc, argv, &*blocks, command->sheet.c_str());
}
