/* Splits a recording (raw float32le stereo at 48 kHz on stdin) at silences of at least
   200 ms and prints, for every sounding part longer than half a second, its integrated
   loudness and sample peak as libebur128 measures them, and the peak of its last 100 ms
   against its whole peak (about 0 dB for a part that ends at full level, far below for one
   that fades out):
       part <n> <start s> <length s> <LUFS> <peak dBFS> <tail dB>
   A meter of its own for the recording check, so that Kavinta's meter is not checked
   against itself. */
#include <ebur128.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#define RATE 48000

static int silent(const float* frame) { return fabsf(frame[0]) < 1e-4f && fabsf(frame[1]) < 1e-4f; }

static double peakOf(const float* x, size_t from, size_t to) {
    double peak = 0;
    for (size_t i = 2 * from; i < 2 * to; ++i)
        if (fabs(x[i]) > peak) peak = fabs(x[i]);
    return peak;
}

int main(void) {
    size_t capacity = (size_t)1 << 20, frames = 0;
    float* x = malloc(capacity * 2 * sizeof(float));
    float frame[2];
    if (!x) return 1;
    while (fread(frame, sizeof(float), 2, stdin) == 2) {
        if (frames == capacity) {
            float* more = realloc(x, capacity * 4 * sizeof(float));
            if (!more) return 1;
            x = more;
            capacity *= 2;
        }
        x[2 * frames] = frame[0];
        x[2 * frames + 1] = frame[1];
        ++frames;
    }
    int part = 0;
    for (size_t i = 0; i < frames;) {
        while (i < frames && silent(x + 2 * i)) ++i;
        size_t start = i, end = i, quiet = 0;
        for (; i < frames && quiet < RATE / 5; ++i) {
            if (silent(x + 2 * i)) ++quiet;
            else { quiet = 0; end = i; }
        }
        if (end - start < RATE / 2) continue;
        ebur128_state* meter = ebur128_init(2, RATE, EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK);
        if (!meter) return 1;
        ebur128_add_frames_float(meter, x + 2 * start, end - start + 1);
        double lufs = 0, left = 0, right = 0;
        ebur128_loudness_global(meter, &lufs);
        ebur128_sample_peak(meter, 0, &left);
        ebur128_sample_peak(meter, 1, &right);
        const double whole = peakOf(x, start, end + 1), tail = peakOf(x, end + 1 - RATE / 10, end + 1);
        printf("part %d %.3f %.3f %.2f %.2f %.1f\n", ++part, (double)start / RATE, (double)(end - start) / RATE, lufs,
               20 * log10(left > right ? left : right), 20 * log10(tail / whole));
        ebur128_destroy(&meter);
    }
    free(x);
    return 0;
}
