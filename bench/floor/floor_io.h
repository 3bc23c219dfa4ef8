/* File steps shared by the floor programs: the least work a conversion must
 * do besides making the SVG, with every result checked. */
#ifndef POLYGRAV_BENCH_FLOOR_IO_H
#define POLYGRAV_BENCH_FLOOR_IO_H

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* A file's bytes in memory. */
struct floor_bytes {
    char* data;
    size_t size;
};

static void floor_fail(const char* what, const char* path) {
    fprintf(stderr, "%s %s: %s\n", what, path, strerror(errno));
    exit(1);
}

/* Reads the whole file at path. */
static struct floor_bytes floor_read(const char* path) {
    struct floor_bytes b = {NULL, 0};
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) floor_fail("cannot open", path);
    size_t capacity = st.st_size > 0 ? (size_t)st.st_size : 4096;
    b.data = malloc(capacity);
    if (b.data == NULL) floor_fail("out of memory reading", path);
    for (;;) {
        if (b.size == capacity) {
            capacity *= 2;
            b.data = realloc(b.data, capacity);
            if (b.data == NULL) floor_fail("out of memory reading", path);
        }
        const ssize_t n = read(fd, b.data + b.size, capacity - b.size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) floor_fail("cannot read", path);
        if (n == 0) break;
        b.size += (size_t)n;
    }
    close(fd);
    return b;
}

/* Length of the folder part of path including its final "/", 0 for a bare
 * name. */
static size_t floor_folder_length(const char* path) {
    const char* slash = strrchr(path, '/');
    return slash == NULL ? 0 : (size_t)(slash - path) + 1;
}

/* The target beside a document: its name with the extension replaced by
 * ".svg". The caller frees it. */
static char* floor_target_of(const char* document) {
    const size_t folder = floor_folder_length(document);
    const char* dot = strrchr(document + folder, '.');
    const size_t stem = dot == NULL ? strlen(document) : (size_t)(dot - document);
    char* target = malloc(stem + 5);
    if (target == NULL) floor_fail("out of memory for", document);
    memcpy(target, document, stem);
    memcpy(target + stem, ".svg", 5);
    return target;
}

/* Writes bytes to a new hidden temporary file ".<name>.XXXXXX" beside
 * target, optionally flushes it to the disk, and renames it over target. */
static void floor_replace(const char* target, struct floor_bytes bytes, int sync_file) {
    const size_t folder = floor_folder_length(target);
    const size_t length = strlen(target);
    char* temp = malloc(length + 9);
    if (temp == NULL) floor_fail("out of memory for", target);
    memcpy(temp, target, folder);
    temp[folder] = '.';
    memcpy(temp + folder + 1, target + folder, length - folder);
    memcpy(temp + length + 1, ".XXXXXX", 8);

    const int fd = mkstemp(temp);
    if (fd < 0) floor_fail("cannot create", temp);
    size_t done = 0;
    while (done < bytes.size) {
        const ssize_t n = write(fd, bytes.data + done, bytes.size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) floor_fail("cannot write", temp);
        done += (size_t)n;
    }
    if (sync_file && fsync(fd) != 0) floor_fail("cannot flush", temp);
    if (close(fd) != 0) floor_fail("cannot close", temp);
    if (rename(temp, target) != 0) floor_fail("cannot rename", temp);
    free(temp);
}

/* Opens the folder that holds path, for a flush of the folder or of its
 * file system. */
static int floor_open_folder(const char* path) {
    const size_t folder = floor_folder_length(path);
    char* name = malloc(folder + 2);
    if (name == NULL) floor_fail("out of memory for", path);
    if (folder == 0) {
        memcpy(name, ".", 2);
    } else {
        memcpy(name, path, folder);
        name[folder] = '\0';
    }
    const int fd = open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) floor_fail("cannot open folder", name);
    free(name);
    return fd;
}

#endif
