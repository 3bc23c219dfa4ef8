/* The least a batch conversion must do in one process: for each document,
 * read it, write its finished SVG (prepared beforehand as READY_DIR/<name>.svg
 * from the same document) to a temporary file beside the target and rename
 * that over the target; then one flush of the file system for all of them.
 *   batch_floor READY_DIR DOC.pgv...      writes each DOC.svg */
#define _GNU_SOURCE
#include "floor_io.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        fputs("usage: batch_floor READY_DIR DOC.pgv...\n", stderr);
        return 2;
    }
    const char* ready_dir = argv[1];
    const size_t ready_length = strlen(ready_dir);
    for (int i = 2; i < argc; ++i) {
        struct floor_bytes document = floor_read(argv[i]);
        char* target = floor_target_of(argv[i]);

        const char* name = target + floor_folder_length(target);
        char* ready = malloc(ready_length + strlen(name) + 2);
        if (ready == NULL) floor_fail("out of memory for", name);
        sprintf(ready, "%s/%s", ready_dir, name);
        struct floor_bytes svg = floor_read(ready);

        floor_replace(target, svg, 0);
        free(svg.data);
        free(ready);
        free(target);
        free(document.data);
    }

    const int folder = floor_open_folder(argv[argc - 1]);
    if (syncfs(folder) != 0) floor_fail("cannot flush the file system of", argv[argc - 1]);
    close(folder);
    return 0;
}
