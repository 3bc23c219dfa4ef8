/* The least a single durable conversion must do, as a whole process: read
 * the document, write the finished SVG (prepared beforehand from the same
 * document) to a temporary file beside the target, flush it, rename it over
 * the target and flush the folder. The bench scripts compare the converters
 * with it.
 *   copy_svg READY.svg DOC.pgv      writes DOC.svg */
#define _POSIX_C_SOURCE 200809L
#include "floor_io.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        fputs("usage: copy_svg READY.svg DOC.pgv\n", stderr);
        return 2;
    }
    struct floor_bytes document = floor_read(argv[2]);
    struct floor_bytes svg = floor_read(argv[1]);
    char* target = floor_target_of(argv[2]);
    floor_replace(target, svg, 1);

    const int folder = floor_open_folder(target);
    if (fsync(folder) != 0) floor_fail("cannot flush the folder of", target);
    close(folder);

    free(target);
    free(svg.data);
    free(document.data);
    return 0;
}
