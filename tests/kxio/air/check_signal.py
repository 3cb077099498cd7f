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
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "..", "tools"))
from rds_decode import decode  # noqa: E402


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
