/* A sound card for the tests, as an ALSA plugin: it plays 16-bit mono at 192 kHz by the monotonic
 * clock and appends what it has played to a file, as raw samples. What is still in its buffer when
 * the stream stops is lost, as on a real card, unless a drain plays it out first. A card that runs
 * dry waits for more instead of reporting an underrun.
 *   pcm_type.korvel_fake_card { lib "/path/to/this/plugin.so" }
 *   pcm.card { type korvel_fake_card  file "/tmp/played.raw" }
 */
#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

enum { kRate_Hz = 192000, kTick_ns = 2000000 };

typedef struct {
    snd_pcm_ioplug_t io;
    FILE* played;
    int16_t* ring;             /* the card's buffer, buffer_size frames */
    snd_pcm_uframes_t written; /* frames since the last prepare */
    snd_pcm_uframes_t done;    /* of them played */
    snd_pcm_uframes_t doneAtStart;
    struct timespec start;
    int running;
} FakeCard;

static snd_pcm_uframes_t framesSince(const struct timespec* start) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double seconds =
        (double)(now.tv_sec - start->tv_sec) + (double)(now.tv_nsec - start->tv_nsec) / 1e9;
    return (snd_pcm_uframes_t)(seconds * kRate_Hz);
}

/* Plays what the clock says is due, never more than was written. */
static void play(FakeCard* card) {
    if (!card->running) {
        return;
    }
    snd_pcm_uframes_t due = card->doneAtStart + framesSince(&card->start);
    if (due > card->written) {
        due = card->written;
    }
    while (card->done < due) {
        const snd_pcm_uframes_t at = card->done % card->io.buffer_size;
        snd_pcm_uframes_t count = due - card->done;
        if (count > card->io.buffer_size - at) {
            count = card->io.buffer_size - at;
        }
        fwrite(card->ring + at, sizeof(int16_t), count, card->played);
        card->done += count;
    }
}

static int start(snd_pcm_ioplug_t* io) {
    FakeCard* card = io->private_data;
    clock_gettime(CLOCK_MONOTONIC, &card->start);
    card->doneAtStart = card->done;
    card->running = 1;
    return 0;
}

static int stop(snd_pcm_ioplug_t* io) {
    FakeCard* card = io->private_data;
    card->running = 0;
    return 0;
}

static snd_pcm_sframes_t pointer(snd_pcm_ioplug_t* io) {
    FakeCard* card = io->private_data;
    play(card);
    return (snd_pcm_sframes_t)(card->done % io->buffer_size);
}

static snd_pcm_sframes_t transfer(snd_pcm_ioplug_t* io, const snd_pcm_channel_area_t* areas,
                                  snd_pcm_uframes_t offset, snd_pcm_uframes_t size) {
    FakeCard* card = io->private_data;
    const int16_t* from =
        (const int16_t*)((const char*)areas[0].addr + (areas[0].first + offset * areas[0].step) / 8);
    for (snd_pcm_uframes_t i = 0; i < size; ++i) {
        card->ring[(card->written + i) % io->buffer_size] = from[i];
    }
    card->written += size;
    return (snd_pcm_sframes_t)size;
}

static int prepare(snd_pcm_ioplug_t* io) {
    FakeCard* card = io->private_data;
    int16_t* ring = realloc(card->ring, io->buffer_size * sizeof(int16_t));
    if (ring == NULL) {
        return -ENOMEM;
    }
    card->ring = ring;
    card->written = 0;
    card->done = 0;
    card->running = 0;
    return 0;
}

static int drain(snd_pcm_ioplug_t* io) {
    FakeCard* card = io->private_data;
    const struct timespec tick = {0, kTick_ns};
    while (card->running && card->done < card->written) {
        nanosleep(&tick, NULL);
        play(card);
    }
    return 0;
}

/* The timer ticks while the writer waits for room in the buffer. */
static int pollRevents(snd_pcm_ioplug_t* io, struct pollfd* pfd, unsigned int nfds, unsigned short* revents) {
    uint64_t ticks = 0;
    if (nfds == 1 && (pfd[0].revents & POLLIN) != 0 && read(io->poll_fd, &ticks, sizeof ticks) > 0) {
        *revents = POLLOUT;
    } else {
        *revents = 0;
    }
    return 0;
}

static int closeCard(snd_pcm_ioplug_t* io) {
    FakeCard* card = io->private_data;
    fclose(card->played);
    close(io->poll_fd);
    free(card->ring);
    free(card);
    return 0;
}

static const snd_pcm_ioplug_callback_t kCallbacks = {
    .start = start,
    .stop = stop,
    .pointer = pointer,
    .transfer = transfer,
    .close = closeCard,
    .prepare = prepare,
    .drain = drain,
    .poll_revents = pollRevents,
};

static int constrain(snd_pcm_ioplug_t* io) {
    static const unsigned int kAccess[] = {SND_PCM_ACCESS_RW_INTERLEAVED};
    static const unsigned int kFormat[] = {SND_PCM_FORMAT_S16_LE};
    const int results[] = {
        snd_pcm_ioplug_set_param_list(io, SND_PCM_IOPLUG_HW_ACCESS, 1, kAccess),
        snd_pcm_ioplug_set_param_list(io, SND_PCM_IOPLUG_HW_FORMAT, 1, kFormat),
        snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_CHANNELS, 1, 1),
        snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_RATE, kRate_Hz, kRate_Hz),
        snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 256, 1 << 20),
        snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_PERIODS, 2, 1024),
    };
    for (size_t i = 0; i < sizeof results / sizeof results[0]; ++i) {
        if (results[i] < 0) {
            return results[i];
        }
    }
    return 0;
}

static const char* playedPath(snd_config_t* conf) {
    const char* path = NULL;
    snd_config_t* node = NULL;
    if (snd_config_search(conf, "file", &node) < 0 || snd_config_get_string(node, &path) < 0) {
        return NULL;
    }
    return path;
}

SND_PCM_PLUGIN_DEFINE_FUNC(korvel_fake_card) {
    (void)root;
    const char* path = playedPath(conf);
    if (path == NULL || stream != SND_PCM_STREAM_PLAYBACK) {
        return -EINVAL;
    }
    FakeCard* card = calloc(1, sizeof *card);
    if (card == NULL) {
        return -ENOMEM;
    }
    const struct itimerspec ticking = {{0, kTick_ns}, {0, kTick_ns}};
    card->io.poll_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    card->played = fopen(path, "wb");
    if (card->io.poll_fd < 0 || card->played == NULL ||
        timerfd_settime(card->io.poll_fd, 0, &ticking, NULL) < 0) {
        if (card->played != NULL) {
            fclose(card->played);
        }
        close(card->io.poll_fd);
        free(card);
        return -EIO;
    }
    card->io.version = SND_PCM_IOPLUG_VERSION;
    card->io.name = "Korvel's fake sound card";
    card->io.poll_events = POLLIN;
    card->io.callback = &kCallbacks;
    card->io.private_data = card;
    int err = snd_pcm_ioplug_create(&card->io, name, stream, mode);
    if (err < 0) {
        closeCard(&card->io);
        return err;
    }
    err = constrain(&card->io);
    if (err < 0) {
        snd_pcm_ioplug_delete(&card->io);
        return err;
    }
    *pcmp = card->io.pcm;
    return 0;
}

SND_PCM_PLUGIN_SYMBOL(korvel_fake_card)
