// Stand-in for an outside program that shows no window: it appends to
// started.txt in its working folder the path it was started as, that folder, its
// process id and each argument it was given, then ends.

#include <unistd.h>

#include <climits>
#include <cstdio>

int main(int argc, char** argv) {
    char folder[PATH_MAX] = "";
    if (!getcwd(folder, sizeof folder)) return 1;
    FILE* record = std::fopen("started.txt", "a");
    if (!record) return 1;
    std::fprintf(record, "program %s\nfolder %s\npid %ld\n", argv[0], folder,
                 static_cast<long>(getpid()));
    for (int i = 1; i < argc; ++i) std::fprintf(record, "argument %s\n", argv[i]);
    return std::fclose(record) == 0 ? 0 : 1;
}
