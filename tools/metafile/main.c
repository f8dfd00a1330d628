// SPDX-License-Identifier: GPL-2.0-or-later
/*
 * lumarin-metafile: converts one Windows metafile (WMF or EMF) to SVG.
 *
 * The metafile comes on standard input and the SVG goes to standard output;
 * the helper opens no files and talks to no one else. The viewer runs it in
 * a separate process with time and memory limits, because the converting
 * libraries parse untrusted input and have a history of memory faults: a
 * crash here costs one picture, not the viewer.
 *
 * Usage: lumarin-metafile wmf|emf
 * Exit status: 0 with SVG written, 1 for a metafile that cannot be read,
 * 2 for wrong usage.
 */

#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

/* Metafiles larger than this are not converted. */
#define METAFILE_MAX_INPUT (256L * 1024 * 1024)

static unsigned char *read_all(FILE *in, long *length)
{
    long capacity = 1 << 16;
    long size = 0;
    unsigned char *data = malloc((size_t)capacity);
    if (!data)
        return NULL;
    for (;;) {
        if (size == capacity) {
            if (capacity >= METAFILE_MAX_INPUT) {
                free(data);
                return NULL;
            }
            capacity *= 2;
            unsigned char *grown = realloc(data, (size_t)capacity);
            if (!grown) {
                free(data);
                return NULL;
            }
            data = grown;
        }
        size_t got = fread(data + size, 1, (size_t)(capacity - size), in);
        if (got == 0) {
            if (ferror(in)) {
                free(data);
                return NULL;
            }
            break;
        }
        size += (long)got;
    }
    *length = size;
    return data;
}

static int convert_wmf(unsigned char *data, long length)
{
    wmfAPI *api = NULL;
    wmfAPI_Options options;
    memset(&options, 0, sizeof options);
    options.function = wmf_svg_function;
    unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return 1;
    }

    int status = 1;
    wmfD_Rect bbox;
    unsigned int width = 0;
    unsigned int height = 0;
    wmf_svg_t *svg = WMF_SVG_GetData(api);
    svg->out = wmf_stream_create(api, stdout);
    if (svg->out && wmf_mem_open(api, data, length) == wmf_E_None
        && wmf_scan(api, 0, &bbox) == wmf_E_None
        && wmf_display_size(api, &width, &height, 96, 96) == wmf_E_None && width > 0
        && height > 0) {
        svg->bbox = bbox;
        svg->width = width;
        svg->height = height;
        svg->flags |= WMF_SVG_INLINE_IMAGES;
        if (wmf_play(api, 0, &bbox) == wmf_E_None)
            status = 0;
    }
    wmf_api_destroy(api);
    return status;
}

static int convert_emf(unsigned char *data, long length)
{
    generatorOptions options;
    memset(&options, 0, sizeof options);
    options.nameSpace = NULL;
    options.emfplus = true;
    options.svgDelimiter = true;

    char *out = NULL;
    size_t out_length = 0;
    int ok = emf2svg((char *)data, (size_t)length, &out, &out_length, &options);
    int status = 1;
    if (ok && out && out_length > 0 && fwrite(out, 1, out_length, stdout) == out_length)
        status = 0;
    free(out);
    return status;
}

int main(int argc, char **argv)
{
    if (argc != 2 || (strcmp(argv[1], "wmf") != 0 && strcmp(argv[1], "emf") != 0)) {
        fputs("usage: lumarin-metafile wmf|emf < metafile > svg\n", stderr);
        return 2;
    }
    long length = 0;
    unsigned char *data = read_all(stdin, &length);
    if (!data || length == 0) {
        free(data);
        return 1;
    }
    int status = strcmp(argv[1], "wmf") == 0 ? convert_wmf(data, length)
                                             : convert_emf(data, length);
    free(data);
    if (fflush(stdout) != 0)
        return 1;
    return status;
}
