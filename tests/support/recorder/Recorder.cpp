// A stand-in program for start tests: appends its arguments and working folder to
// "recorded.txt" beside itself, one line each, then ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string log = exe;
    log = log.substr(0, log.rfind('\\') + 1) + "recorded.txt";
    std::string args;
    for (int i = 1; i < argc; ++i) args += (i > 1 ? " " : "") + std::string(argv[i]);
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    FILE* f = std::fopen(log.c_str(), "ab");
    if (!f) return 1;
    std::fprintf(f, "%s\n%s\n", args.c_str(), cwd);
    std::fclose(f);
    return 0;
}
