#!/usr/bin/python3
"""The emulated encoder's RDS signal, demodulated and decoded by GNU Radio's RDS blocks (gr-rds).

Runs the helper that puts a station on air into a WAV file, decodes the file, and checks what the
decoder saw against what the helper sent, with not one bad block, up to the last group, offset C'
marking the version B groups. A process that ends on air, the library's outputs closing with it,
ends its stream to standard output and its sound card's playing with the last group too.
    check_signal.py KXIO_AIR_SIGNAL FAKE_SOUND_CARD_CONF WORK_FOLDER
"""
import os
import re
import subprocess
import sys
import unittest
import wave

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "..", "tools"))
from rds_decode import SAMPLE_RATE, decode  # noqa: E402


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


def read_lines(path):
    with open(path) as lines:
        return lines.read().splitlines()


def wav_of_raw(raw):
    """The fake sound card's raw samples as a WAV file beside them."""
    wav = raw + ".wav"
    with open(raw, "rb") as played, wave.open(wav, "wb") as recording:
        recording.setnchannels(1)
        recording.setsampwidth(2)
        recording.setframerate(SAMPLE_RATE)
        recording.writeframes(played.read())
    return wav


def hex_line(blocks):
    """A decoded group as the encoder's group lines write it: "2F0A 0548 E301 4B4F"."""
    return " ".join(f"{block:04X}" for block in blocks)


def without_end_repeat(groups):
    """The decoder hands a group over once more when a bad block follows it, as the silence after the
    last group is: that repeat is left out."""
    return groups[:-1] if len(groups) > 1 and groups[-1] == groups[-2] else groups


class AirTest(unittest.TestCase):
    helper = sound_card = folder = None

    def assert_every_group_up_to_the_last(self, groups, sent):
        # The first may go by while the decoder finds its sync; from then on every group, the last
        # one too.
        decoded = [hex_line(blocks) for blocks, _ in without_end_repeat(groups)]
        self.assertEqual(decoded[-1:], sent[-1:], "the last group")
        self.assertGreaterEqual(len(decoded), len(sent) - 2)
        self.assertEqual(decoded, sent[len(sent) - len(decoded):])


class SignalTest(AirTest):
    @classmethod
    def setUpClass(cls):
        os.makedirs(cls.folder, exist_ok=True)
        wav = os.path.join(cls.folder, "air.wav")
        groups = os.path.join(cls.folder, "groups.txt")
        subprocess.run([cls.helper, "wav:" + wav, groups], check=True, timeout=60)
        cls.sent = read_lines(groups)
        cls.messages, cls.groups, cls.log = decode(wav)

    def texts(self, kind):
        return [text for k, text in self.messages if k == kind]

    def test_no_block_is_bad(self):
        # The decoder counts bad blocks fifty at a time from its sync on; a count that runs into the
        # silence after the signal counts the silence too and is not looked at.
        counts = [int(bad) for bad in re.findall(r"Got (\d+) bad blocks on 50 total", self.log)]
        within_signal = 4 * len(without_end_repeat(self.groups)) // 50
        self.assertGreaterEqual(within_signal, 5, self.log[-2000:])
        self.assertEqual(counts[:within_signal], [0] * within_signal)
        self.assertNotIn("Lost Sync", self.log)

    def test_every_group_decodes_up_to_the_last(self):
        self.assert_every_group_up_to_the_last(self.groups, self.sent)

    def test_version_b_user_group(self):
        # The helper's user group 6B, field by field: block 2 is 0110 (type 6) 1 (version B) 1 (TP)
        # 01010 (PTY 10) 10101 (its five bits), block 3 the PI again under offset C' (the decoder's
        # "c"), block 4 ABCD as written. The decoder takes offset C in block 3 as well, without a bad
        # block, so only the offset it names shows a wrong one.
        user_groups = [(blocks, offsets) for blocks, offsets in self.groups if blocks[1] >> 12 == 6]
        self.assertGreaterEqual(len(user_groups), 15)
        for blocks, offsets in user_groups:
            fields = {"PI": blocks[0], "version B": blocks[1] >> 11 & 1, "TP": blocks[1] >> 10 & 1,
                      "PTY": blocks[1] >> 5 & 0x1F, "bits": blocks[1] & 0x1F, "block 3": blocks[2],
                      "block 4": blocks[3], "offsets": offsets}
            self.assertEqual(fields, {"PI": 0x2F0A, "version B": 1, "TP": 1, "PTY": 10, "bits": 0b10101,
                                      "block 3": 0x2F0A, "block 4": 0xABCD, "offsets": "ABcD"})

    def test_offset_c_prime_only_in_version_b(self):
        # Version A groups keep offset C: C' would tell a receiver that block 3 holds no data.
        for blocks, offsets in self.groups:
            self.assertEqual(offsets, "ABcD" if blocks[1] & 0x0800 else "ABCD", hex_line(blocks))

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


class ProcessEndTest(AirTest):
    def test_outputs_close_with_the_last_group(self):
        os.makedirs(self.folder, exist_ok=True)
        stream = os.path.join(self.folder, "stdout.wav")
        played = os.path.join(self.folder, "played.raw")
        groups = os.path.join(self.folder, "exit-groups.txt")
        # Where the samples go, and the recording of them
        outputs = (("stdout", lambda: stream),
                   ("alsa:fake_card:FILE=" + played, lambda: wav_of_raw(played)))
        for samples, recording in outputs:
            with self.subTest(samples), open(stream, "wb") as output:
                subprocess.run([self.helper, samples, groups, "--exit"], stdout=output, check=True, timeout=30,
                               env=dict(os.environ, ALSA_CONFIG_PATH=self.sound_card))
                _, decoded, _ = decode(recording())
                self.assert_every_group_up_to_the_last(decoded, read_lines(groups))


if __name__ == "__main__":
    AirTest.helper, AirTest.sound_card, AirTest.folder = sys.argv[1:4]
    unittest.main(argv=sys.argv[:1], verbosity=2)
