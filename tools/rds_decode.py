#!/usr/bin/python3
"""Decodes the RDS of a 192 kHz mono WAV recording (the emulated encoder's sample output, or a
multiplex signal recorded from a sound card) with GNU Radio's RDS blocks, and prints what a receiver
would show: one line per message, then the decoder's block counts.
    tools/rds_decode.py FILE.wav
Needs Debian's gr-rds (tools/install-deps.sh installs it); run it with Debian's /usr/bin/python3.
"""
import os
import sys
import tempfile

import pmt
import rds
from gnuradio import blocks, digital, filter, gr
from gnuradio.fft import window
from gnuradio.filter import firdes, pfb

KINDS = {0: "PI", 1: "PS", 2: "PTY", 3: "flags", 4: "RT", 5: "CT", 6: "AF"}

SAMPLE_RATE = 192000


class Collector(gr.basic_block):
    """Keeps the parser's messages: (kind, text)."""

    def __init__(self):
        gr.basic_block.__init__(self, "collector", None, None)
        self.messages = []
        self.message_port_register_in(pmt.intern("in"))
        self.set_msg_handler(pmt.intern("in"), self.handle)

    def handle(self, message):
        kind = pmt.to_long(pmt.tuple_ref(message, 0))
        self.messages.append((kind, pmt.symbol_to_string(pmt.tuple_ref(message, 1))))


def decode(wav):
    """Demodulates the 57 kHz subcarrier and returns the parser's messages and the decoder's log."""
    top = gr.top_block()
    source = blocks.wavfile_source(wav, False)
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
    collector = Collector()
    top.connect(source, to_baseband, resample, matched, demodulate, one_per_bit, differential, decoder)
    top.msg_connect((decoder, "out"), (parser, "in"))
    top.msg_connect((parser, "out"), (collector, "in"))
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
        return collector.messages, log.read()



def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    messages, log = decode(sys.argv[1])
    last = {}
    for kind, text in messages:
        if last.get(kind) != text:
            print(f"{KINDS.get(kind, kind)}: {text!r}")
            last[kind] = text
    print("".join(line + "\n" for line in log.splitlines() if "blocks" in line or "Sync" in line), end="")


if __name__ == "__main__":
    main()
