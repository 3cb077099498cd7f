#!/usr/bin/python3
"""Decodes the RDS of a 192 kHz 16-bit mono WAV recording (the emulated encoder's sample output, or a
multiplex signal recorded from a sound card) with GNU Radio's RDS blocks, and prints what a receiver
would show: one line per message, then the decoder's block counts.
    tools/rds_decode.py FILE.wav
Needs Debian's gr-rds (tools/install-deps.sh installs it); run it with Debian's /usr/bin/python3.
"""
import os
import sys
import tempfile
import wave

import numpy
import pmt
import rds
from gnuradio import blocks, digital, filter, gr
from gnuradio.fft import window
from gnuradio.filter import firdes, pfb

KINDS = {0: "PI", 1: "PS", 2: "PTY", 3: "flags", 4: "RT", 5: "CT", 6: "AF"}

SAMPLE_RATE = 192000
# The decoder takes its bits a group at a time, behind filters that lag: two groups of silence after
# the recording (104 bits each at 1187.5 bit/s) bring its last group out.
FLUSH_SAMPLES = round(2 * 104 / 1187.5 * SAMPLE_RATE)


class Collector(gr.basic_block):
    """Keeps what one block sends, each message as `convert` makes it. One collector per sender: a
    message block stops at the first sender's end."""

    def __init__(self, convert):
        gr.basic_block.__init__(self, "collector", None, None)
        self.items = []
        self.convert = convert
        self.message_port_register_in(pmt.intern("in"))
        self.set_msg_handler(pmt.intern("in"), self.keep)  # GNU Radio calls a handler by its name

    def keep(self, message):
        self.items.append(self.convert(message))


def parsed(message):
    """The parser's message as (kind, text)."""
    return pmt.to_long(pmt.tuple_ref(message, 0)), pmt.symbol_to_string(pmt.tuple_ref(message, 1))


def decoded(message):
    """The decoder's group as ((block 1..4), offsets), the offsets as the decoder names them: "ABCD",
    "ABcD" for C' in block 3."""
    data = bytes(pmt.u8vector_elements(pmt.cdr(message)))
    return tuple(int.from_bytes(data[i:i + 2], "big") for i in range(0, 8, 2)), data[8:].decode()


def samples(wav):
    """The recording's samples, -1..1, followed by the silence that flushes the decoder."""
    with wave.open(wav) as recording:
        form = (recording.getnchannels(), recording.getsampwidth(), recording.getframerate())
        if form != (1, 2, SAMPLE_RATE):
            raise ValueError(f"{wav}: not 16-bit mono at {SAMPLE_RATE} Hz")
        # A stream (standard output) declares the largest length: read to the end instead.
        data = numpy.frombuffer(b"".join(iter(lambda: recording.readframes(SAMPLE_RATE), b"")), dtype="<i2")
    return numpy.concatenate([data / 32768, numpy.zeros(FLUSH_SAMPLES)]).astype(numpy.float32)


def decode(wav):
    """Demodulates the 57 kHz subcarrier and returns the parser's messages, the decoder's groups and
    its log."""
    top = gr.top_block()
    source = blocks.vector_source_f(samples(wav), False)
    to_baseband = filter.freq_xlating_fir_filter_fcc(
        1, firdes.low_pass(2500.0, SAMPLE_RATE, 2.6e3, 2e3, window.WIN_HAMMING), 57e3, SAMPLE_RATE)
    resample = pfb.arb_resampler_ccf(19000 / SAMPLE_RATE, taps=None, flt_size=32)
    matched = filter.fir_filter_ccf(2, firdes.root_raised_cosine(1, 19000, 2375, 1, 100))
    demodulate = digital.psk.psk_demod(constellation_points=2, differential=False, samples_per_symbol=4,
                                       excess_bw=0.35, phase_bw=6.28 / 100.0, timing_bw=6.28 / 100.0,
                                       mod_code="gray", verbose=False, log=False)
    one_per_bit = blocks.keep_one_in_n(gr.sizeof_char, 2)
    differential = digital.diff_decoder_bb(2)
    decoder = rds.decoder(True, False)
    parser = rds.parser(False, False, 0)
    messages = Collector(parsed)
    groups = Collector(decoded)
    top.connect(source, to_baseband, resample, matched, demodulate, one_per_bit, differential, decoder)
    top.msg_connect((decoder, "out"), (parser, "in"))
    top.msg_connect((parser, "out"), (messages, "in"))
    top.msg_connect((decoder, "out"), (groups, "in"))
    # The decoder logs its sync state on standard output: catch it there.
    with tempfile.TemporaryFile(mode="w+") as log:
        sys.stdout.flush()
        saved = os.dup(1)
        os.dup2(log.fileno(), 1)
        try:
            top.run()
        finally:
            sys.stdout.flush()
            os.dup2(saved, 1)
            os.close(saved)
        log.seek(0)
        return messages.items, groups.items, log.read()



def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    messages, _, log = decode(sys.argv[1])
    last = {}
    for kind, text in messages:
        if last.get(kind) != text:
            print(f"{KINDS.get(kind, kind)}: {text!r}")
            last[kind] = text
    print("".join(line + "\n" for line in log.splitlines() if "blocks" in line or "Sync" in line), end="")


if __name__ == "__main__":
    main()
