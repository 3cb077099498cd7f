#!/usr/bin/python3
"""The emulated encoder's RDS signal, demodulated and decoded by GNU Radio's RDS blocks (gr-rds).

Runs the helper that puts a station on air into a WAV file, decodes the file, and checks what the
decoder saw against what the helper sent, with not one bad block.
    check_signal.py KXIO_AIR_SIGNAL WORK_FOLDER
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

import pmt
import rds
from gnuradio import blocks, digital, filter, gr
from gnuradio.fft import window
from gnuradio.filter import firdes, pfb

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


def steady_labels(texts, repeats=4):
    """The PS labels that stood for at least `repeats` groups in a row, in order, each once."""
    labels = []
    run_text, run_length = None, 0
    for text in texts:
        run_length = run_length + 1 if text == run_text else 1
        run_text = text
        if run_length == repeats and (not labels or labels[-1] != text):
            labels.append(text)
    return labels


class SignalTest(unittest.TestCase):
    helper = None
    folder = None

    @classmethod
    def setUpClass(cls):
        os.makedirs(cls.folder, exist_ok=True)
        wav = os.path.join(cls.folder, "air.wav")
        subprocess.run([cls.helper, wav], check=True, timeout=60)
        cls.messages, cls.log = decode(wav)

    def texts(self, kind):
        return [text for k, text in self.messages if k == kind]

    def test_no_block_is_bad(self):
        counts = re.findall(r"Got (\d+) bad blocks on (\d+) total", self.log)
        self.assertGreaterEqual(len(counts), 5, self.log[-2000:])
        self.assertEqual([int(bad) for bad, _ in counts], [0] * len(counts))
        self.assertNotIn("Lost Sync", self.log)

    def test_station_fields(self):
        self.assertEqual(set(self.texts(0)), {"2F0A"})
        self.assertIn("KORVEL 1", self.texts(1))
        self.assertEqual(set(self.texts(2)), {"Pop Music"})
        # TP, TA, music, then the DI bits by segment: 0 (dynamic PTY), 1 (compressed), 2, 3 (stereo)
        self.assertEqual(self.texts(3)[-1], "1010101")
        afs = ", ".join(self.texts(6))
        for frequency in ("87.60MHz", "107.90MHz", "98.50MHz"):
            self.assertIn(frequency, afs)

    def test_radiotext_up_to_its_carriage_return(self):
        self.assertIn("Hello from the emulated encoder\r", [text[:32] for text in self.texts(4)])

    def test_clock_time_once_per_trigger(self):
        times = self.texts(5)
        self.assertEqual(len(times), 2, times)
        self.assertEqual(times, ["08.12.2026, 09:30 (+1.0h)"] * 2)  # UTC and the local offset

    def test_dynamic_ps_labels_in_turn(self):
        labels = steady_labels(self.texts(1))
        self.assertEqual(labels[:1], ["KORVEL 1"])
        text = "|".join(labels)
        self.assertIn("RADIO   |NEWS    |KORVEL 1|RADIO   |NEWS    ", text)


if __name__ == "__main__":
    SignalTest.helper, SignalTest.folder = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
