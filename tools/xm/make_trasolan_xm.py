#!/usr/bin/env python3
"""Composes the about box's tune and writes it as a FastTracker 2 module.

The tune is a calm 46-second piece in A minor (Am - F - C - G) for 10
channels: a soft square lead with a delayed echo, a three-voice pad, a
plucked arpeggio, a filter-swept bass and three drums. Every instrument is
synthesised here, so the module depends on nothing but this script, which
uses the Python standard library only.

Usage: python3 make_trasolan_xm.py [output.xm]
(default: resources/music/trasolan.xm in the repository)
"""

import math
import os
import random
import struct
import sys

# --- Sample synthesis ---------------------------------------------------------

# Samples are made at four times the XM base rate and played with relative
# note +24, so that note C-4 reproduces them at their own speed.
SAMPLE_RATE = 8363 * 4
RELATIVE_NOTE = 24
# Melodic samples have a period of 128 samples (261.34 Hz); C-4 is 261.63 Hz,
# 1.9 cents higher, which finetune +2 (1/128 semitone steps) makes up.
CYCLE = 128
FINETUNE = 2

# Fixed seed: the noise of the drums, and so the file, is the same each run.
NOISE = random.Random(1404)


def normalise(samples, peak=0.9):
    """Scales floats so that the loudest one reaches peak of full scale."""
    top = max(1e-9, max(abs(s) for s in samples))
    return [int(round(s / top * peak * 32767)) for s in samples]


def harmonic_cycles(cycles, amplitude, loop_cycles=1, voices=((1.0, 1.0),)):
    """Additive synthesis over whole cycles of CYCLE samples.

    amplitude(h, t) gives harmonic h's level at time t (seconds); it must stop
    changing before the last loop_cycles cycles, which form the loop. voices
    are (cycles-per-loop factor, level) pairs for detuned copies; each factor
    times loop_cycles must be a whole number so that the loop is seamless.
    """
    length = cycles * CYCLE
    out = [0.0] * length
    harmonics = range(1, 40)
    for factor, level in voices:
        for h in harmonics:
            freq_cycles = h * factor  # periods per CYCLE samples
            if freq_cycles * 2 >= CYCLE:  # keep below the sample's Nyquist
                break
            step = 2 * math.pi * freq_cycles / CYCLE
            for i in range(length):
                a = amplitude(h, i / SAMPLE_RATE)
                if a:
                    out[i] += level * a * math.sin(step * i)
    return out


def lead_sample():
    """Soft square: odd harmonics falling off fast, brighter at the attack."""

    def amplitude(h, t):
        if h % 2 == 0:
            return 0.0
        brightness = 0.55 + 0.45 * math.exp(-t / 0.04)
        return (brightness ** (h - 1)) / h

    data = harmonic_cycles(24, amplitude)
    return normalise(data), (23 * CYCLE, CYCLE)


def pad_sample():
    """Three gently detuned, softened saws: a slowly beating pad.

    The loop holds 200 periods of the middle voice, 199 and 201 of the others
    (about 8.6 cents apart), so every partial fits the loop exactly.
    """
    periods = 200
    length = periods * CYCLE
    out = [0.0] * length
    for voice_periods, level in ((periods, 1.0), (periods - 1, 0.8), (periods + 1, 0.8)):
        for h in range(1, 14):
            cycles = h * voice_periods  # whole cycles over the loop
            if cycles * 2 >= length:
                break
            a = level * (0.7 ** (h - 1)) / h
            step = 2 * math.pi * cycles / length
            phase = NOISE.random() * 2 * math.pi
            for i in range(length):
                out[i] += a * math.sin(step * i + phase)
    return normalise(out, 0.8), (0, length)


def bass_sample():
    """Round bass whose upper harmonics close down after the pluck."""

    def amplitude(h, t):
        if h > 10:
            return 0.0
        brightness = 0.3 + 0.5 * math.exp(-t / 0.06)
        return (brightness ** (h - 1)) / h

    data = harmonic_cycles(96, amplitude)
    # Bass notes sound two octaves down, so 96 periods last a while.
    return normalise(data), (95 * CYCLE, CYCLE)


def pluck_sample():
    """Bell-like pluck: harmonics that die away the faster the higher."""
    length = int(SAMPLE_RATE * 1.1)
    f = SAMPLE_RATE / CYCLE
    out = [0.0] * length
    partials = ((1, 1.0, 2.5), (2, 0.5, 4.0), (3, 0.28, 6.0), (4, 0.12, 9.0), (6, 0.05, 14.0))
    for h, level, decay in partials:
        step = 2 * math.pi * h * f / SAMPLE_RATE
        for i in range(length):
            t = i / SAMPLE_RATE
            out[i] += level * math.exp(-decay * t) * math.sin(step * i)
    fade = int(SAMPLE_RATE * 0.05)
    for i in range(fade):
        out[length - fade + i] *= 1 - i / fade
    return normalise(out, 0.85), None


def kick_sample():
    """A sine falling from about 150 Hz to 45 Hz, with a tiny click."""
    length = int(SAMPLE_RATE * 0.45)
    out = []
    phase = 0.0
    for i in range(length):
        t = i / SAMPLE_RATE
        freq = 45 + 110 * math.exp(-t / 0.035)
        phase += 2 * math.pi * freq / SAMPLE_RATE
        body = math.sin(phase) * math.exp(-t / 0.22)
        click = (NOISE.random() * 2 - 1) * math.exp(-t / 0.002) * 0.3
        out.append(body + click)
    return normalise(out, 0.95), None


def snare_sample():
    """Brushed noise over a short 185 Hz body."""
    length = int(SAMPLE_RATE * 0.3)
    out = []
    previous = 0.0
    for i in range(length):
        t = i / SAMPLE_RATE
        white = NOISE.random() * 2 - 1
        # One-pole low-pass takes the harsh top off the noise.
        previous = previous * 0.55 + white * 0.45
        noise = previous * math.exp(-t / 0.08)
        tone = math.sin(2 * math.pi * 185 * t) * math.exp(-t / 0.04) * 0.6
        out.append(noise + tone)
    return normalise(out, 0.85), None


def hat_sample():
    """A short tick of high noise."""
    length = int(SAMPLE_RATE * 0.09)
    out = []
    last = 0.0
    for i in range(length):
        t = i / SAMPLE_RATE
        white = NOISE.random() * 2 - 1
        high = white - last  # first difference: keeps the highs
        last = white
        out.append(high * math.exp(-t / 0.018))
    return normalise(out, 0.7), None


# --- Module structure -----------------------------------------------------------


class Instrument:
    def __init__(self, name, samples, loop, volume, panning, finetune=FINETUNE,
                 envelope=None, sustain=None, fadeout=0, vibrato=(0, 0, 0, 0)):
        self.name = name
        self.samples = samples
        self.loop = loop  # (start, length) in sample frames, or None
        self.volume = volume
        self.panning = panning
        self.finetune = finetune
        self.envelope = envelope or []  # [(tick, level 0..64)]
        self.sustain = sustain  # index of the sustain point
        self.fadeout = fadeout
        self.vibrato = vibrato  # (type, sweep, depth, rate)


def fixed_text(text, size):
    raw = text.encode("ascii")[:size]
    return raw + b"\0" * (size - len(raw))


def delta_16(samples):
    out = bytearray()
    previous = 0
    for s in samples:
        out += struct.pack("<H", (s - previous) & 0xFFFF)
        previous = s
    return bytes(out)


def instrument_bytes(inst):
    frames = len(inst.samples)
    data = delta_16(inst.samples)

    head = fixed_text(inst.name, 22) + struct.pack("<BH", 0, 1)
    body = struct.pack("<I", 40)  # sample header size
    body += bytes(96)  # every note plays sample 0
    points = inst.envelope[:12]
    env = b"".join(struct.pack("<HH", x, y) for x, y in points)
    body += env + bytes(48 - len(env))
    body += bytes(48)  # no panning envelope
    body += struct.pack("<BB", len(points), 0)
    body += struct.pack("<BBB", inst.sustain or 0, 0, 0)  # volume sustain, loop start/end
    body += struct.pack("<BBB", 0, 0, 0)  # panning sustain, loop start/end
    volume_type = 0
    if points:
        volume_type |= 1
        if inst.sustain is not None:
            volume_type |= 2
    body += struct.pack("<BB", volume_type, 0)
    body += struct.pack("<BBBB", *inst.vibrato)
    body += struct.pack("<H", inst.fadeout)
    body += bytes(22)  # reserved
    header = head + body
    size = 4 + len(header)
    assert size == 263, size

    if inst.loop:
        loop_start, loop_length = inst.loop
        loop_type = 1
    else:
        loop_start, loop_length, loop_type = 0, 0, 0
    sample_header = struct.pack(
        "<IIIBbBBbB",
        frames * 2,
        loop_start * 2,
        loop_length * 2,
        inst.volume,
        inst.finetune,
        loop_type | 0x10,  # 16-bit
        inst.panning,
        RELATIVE_NOTE,
        0,
    ) + fixed_text(inst.name, 22)
    assert len(sample_header) == 40
    return struct.pack("<I", size) + header + sample_header + data


# --- Composition --------------------------------------------------------------

NOTE_NAMES = {"C": 0, "C#": 1, "D": 2, "D#": 3, "E": 4, "F": 5, "F#": 6, "G": 7,
              "G#": 8, "A": 9, "A#": 10, "B": 11}
KEY_OFF = 97
ROWS = 64


def note(name):
    """'A-4' / 'C#5' -> XM note number (C-0 = 1)."""
    pitch = name[:-1].rstrip("-")
    octave = int(name[-1])
    return octave * 12 + NOTE_NAMES[pitch] + 1


def vol(v):
    """Volume-column 'set volume' command."""
    return 0x10 + max(0, min(64, v))


# Channels.
LEAD, ECHO, PAD1, PAD2, PAD3, ARP, BASS, KICK, SNARE, HAT = range(10)
# Instruments (1-based in the patterns).
I_LEAD, I_PAD, I_BASS, I_PLUCK, I_KICK, I_SNARE, I_HAT = range(1, 8)

# Am, F, C, G: pad voicing, arpeggio tones and bass root per bar.
CHORDS = {
    "Am": (("A-3", "C-4", "E-4"), ("A-4", "C-5", "E-5", "A-5"), "A-2"),
    "F": (("A-3", "C-4", "F-4"), ("F-4", "A-4", "C-5", "F-5"), "F-2"),
    "C": (("G-3", "C-4", "E-4"), ("C-5", "E-5", "G-5", "C-6"), "C-3"),
    "G": (("G-3", "B-3", "D-4"), ("G-4", "B-4", "D-5", "G-5"), "G-2"),
}
PROGRESSION = ("Am", "F", "C", "G")

# Lead phrases: (row, note, length in rows) over the four bars.
MELODY_A = [
    (0, "A-4", 6), (6, "C-5", 2), (8, "E-5", 4), (12, "D-5", 2), (14, "C-5", 2),
    (16, "A-4", 6), (22, "C-5", 2), (24, "F-5", 6), (30, "E-5", 2),
    (32, "E-5", 6), (38, "D-5", 2), (40, "C-5", 4), (44, "G-4", 4),
    (48, "B-4", 6), (54, "C-5", 2), (56, "D-5", 8),
]
MELODY_B = [
    (0, "E-5", 2), (2, "A-5", 4), (6, "G-5", 2), (8, "E-5", 6), (14, "D-5", 2),
    (16, "C-5", 4), (20, "D-5", 2), (22, "C-5", 2), (24, "A-4", 8),
    (32, "G-4", 4), (36, "C-5", 2), (38, "E-5", 2), (40, "G-5", 6), (46, "E-5", 2),
    (48, "D-5", 6), (54, "B-4", 2), (56, "D-5", 4), (60, "E-5", 4),
]
MELODY_A2 = MELODY_A[:12] + [(48, "B-4", 4), (52, "D-5", 4), (56, "E-5", 8)]
OUTRO_PROGRESSION = ("Am", "F", "G", "Am")
MELODY_OUTRO = [
    (0, "E-5", 8), (8, "C-5", 8),
    (16, "C-5", 6), (22, "A-4", 2), (24, "C-5", 8),
    (32, "B-4", 6), (38, "D-5", 2), (40, "B-4", 8),
    (48, "A-4", 14),
]


class Pattern:
    def __init__(self, rows=ROWS):
        self.rows = rows
        self.cells = [[None] * 10 for _ in range(rows)]

    def put(self, row, channel, note_value=0, instrument=0, volume=0, effect=0, param=0):
        if 0 <= row < self.rows:
            self.cells[row][channel] = (note_value, instrument, volume, effect, param)

    def free(self, row, channel):
        return 0 <= row < self.rows and self.cells[row][channel] is None

    def packed(self):
        out = bytearray()
        for row in self.cells:
            for cell in row:
                if cell is None:
                    out.append(0x80)
                    continue
                mask = 0x80
                fields = bytearray()
                for bit, value in zip((1, 2, 4, 8, 16), cell):
                    if value:
                        mask |= bit
                        fields.append(value)
                out.append(mask)
                out += fields
        return bytes(out)


# Effect 8xx sets a channel's panning (0x00 left .. 0xFF right).
SET_PANNING = 8


def add_phrase(pattern, channel, phrase, instrument, volume, delay=0, panning=None):
    """Writes a phrase; a note is released by a key-off unless the next one
    starts where it ends."""
    starts = {row + delay for row, _, _ in phrase}
    for row, name, length in phrase:
        effect = (SET_PANNING, panning) if panning is not None else (0, 0)
        pattern.put(row + delay, channel, note(name), instrument, vol(volume), *effect)
        end = row + delay + length
        if end not in starts and pattern.free(end, channel):
            pattern.put(end, channel, KEY_OFF)


def add_pad(pattern, progression, volume=40):
    # The three voices spread left, centre and right.
    spread = (0x58, 0x80, 0xA8)
    for bar, chord in enumerate(progression):
        for voice, name in enumerate(CHORDS[chord][0]):
            pattern.put(bar * 16, PAD1 + voice, note(name), I_PAD, vol(volume), SET_PANNING,
                        spread[voice])


def add_arpeggio(pattern, progression, volume=30, every=2):
    order = (0, 1, 2, 3, 2, 1, 2, 1)
    for bar, chord in enumerate(progression):
        tones = CHORDS[chord][1]
        for step in range(16 // every):
            row = bar * 16 + step * every
            accent = 6 if step % 4 == 0 else 0
            pattern.put(row, ARP, note(tones[order[step % 8]]), I_PLUCK, vol(volume + accent))


def add_bass(pattern, progression, volume=48):
    # A lilting 3-3-2 figure: root, root, octave, root, root, fifth.
    figure = ((0, 0, 3), (3, 0, 3), (6, 12, 2), (8, 0, 3), (11, 0, 3), (14, 7, 2))
    for bar, chord in enumerate(progression):
        root = note(CHORDS[chord][2])
        for offset, interval, length in figure:
            row = bar * 16 + offset
            pattern.put(row, BASS, root + interval, I_BASS, vol(volume))
            if length < 3:
                continue
            pattern.put(row + length - 1, BASS, KEY_OFF)


def add_drums(pattern, bars=4, fill=True):
    for bar in range(bars):
        base = bar * 16
        for row in (0, 8):
            pattern.put(base + row, KICK, note("C-4"), I_KICK, vol(60))
        if bar % 2 == 1:
            pattern.put(base + 10, KICK, note("C-4"), I_KICK, vol(40))
        for row in (4, 12):
            pattern.put(base + row, SNARE, note("C-4"), I_SNARE, vol(44))
        for row in range(0, 16, 2):
            pattern.put(base + row, HAT, note("C-4"), I_HAT, vol(34 if row % 4 == 0 else 22))
    if fill:
        for row in (58, 60, 62, 63):
            pattern.put(row, SNARE, note("C-4"), I_SNARE, vol(26 + (row - 58) * 3))


def add_lead(pattern, phrase):
    add_phrase(pattern, LEAD, phrase, I_LEAD, 44)
    # A dotted-eighth echo, quieter and on the other side.
    add_phrase(pattern, ECHO, phrase, I_LEAD, 16, delay=3, panning=0x50)


def compose():
    patterns = []

    intro = Pattern()
    add_pad(intro, PROGRESSION, 34)
    add_arpeggio(intro, PROGRESSION, 24)
    for row in range(48, 64, 2):
        intro.put(row, HAT, note("C-4"), I_HAT, vol(14 + (row - 48)))
    patterns.append(intro)

    groove = Pattern()
    add_pad(groove, PROGRESSION)
    add_arpeggio(groove, PROGRESSION)
    add_bass(groove, PROGRESSION)
    add_drums(groove)
    patterns.append(groove)

    for phrase in (MELODY_A, MELODY_B, MELODY_A2):
        verse = Pattern()
        add_pad(verse, PROGRESSION)
        add_arpeggio(verse, PROGRESSION, 26)
        add_bass(verse, PROGRESSION)
        add_drums(verse)
        add_lead(verse, phrase)
        patterns.append(verse)

    outro = Pattern()
    add_pad(outro, OUTRO_PROGRESSION, 38)
    add_arpeggio(outro, OUTRO_PROGRESSION[:3], 24)
    outro.put(48, ARP, note("A-4"), I_PLUCK, vol(30))
    add_bass(outro, OUTRO_PROGRESSION[:3])
    outro.put(48, BASS, note("A-2"), I_BASS, vol(48))
    outro.put(62, BASS, KEY_OFF)
    add_drums(outro, bars=3, fill=False)
    outro.put(48, KICK, note("C-4"), I_KICK, vol(56))
    add_lead(outro, MELODY_OUTRO)
    for voice in range(3):
        outro.put(63, PAD1 + voice, KEY_OFF)
    patterns.append(outro)
    return patterns


def instruments():
    lead, lead_loop = lead_sample()
    pad, pad_loop = pad_sample()
    bass, bass_loop = bass_sample()
    pluck, _ = pluck_sample()
    kick, _ = kick_sample()
    snare, _ = snare_sample()
    hat, _ = hat_sample()
    return [
        Instrument("Soft square lead", lead, lead_loop, 40, 140,
                   envelope=[(0, 0), (3, 64), (14, 46), (24, 40), (60, 0)], sustain=3,
                   fadeout=0x300, vibrato=(0, 24, 3, 18)),
        Instrument("Warm pad", pad, pad_loop, 28, 128,
                   envelope=[(0, 0), (40, 52), (80, 44), (180, 0)], sustain=2, fadeout=0x100),
        Instrument("Plucked bass", bass, bass_loop, 52, 128,
                   envelope=[(0, 64), (10, 50), (40, 38), (50, 0)], sustain=2, fadeout=0x800),
        Instrument("Bell pluck", pluck, None, 30, 176),
        Instrument("Kick", kick, None, 60, 128, finetune=0),
        Instrument("Snare", snare, None, 44, 120, finetune=0),
        Instrument("Hi-hat", hat, None, 26, 156, finetune=0),
    ]


def module_bytes():
    patterns = compose()
    order = list(range(len(patterns)))
    insts = instruments()

    out = bytearray()
    out += b"Extended Module: "
    out += fixed_text("Trasolan", 20)
    out += b"\x1a"
    out += fixed_text("trasolan make_xm.py", 20)
    out += struct.pack("<H", 0x0104)
    out += struct.pack("<I", 276)
    out += struct.pack("<HHHHHHHH", len(order), 1, 10, len(patterns), len(insts),
                       1,  # linear frequency table
                       6,  # ticks per row
                       125)  # BPM
    out += bytes(order) + bytes(256 - len(order))
    assert len(out) == 60 + 276

    for pattern in patterns:
        data = pattern.packed()
        out += struct.pack("<IBHH", 9, 0, pattern.rows, len(data)) + data
    for inst in insts:
        out += instrument_bytes(inst)
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "..", "resources", "music", "trasolan.xm")
    target = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else default)
    data = module_bytes()
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "wb") as f:
        f.write(data)
    print(f"{target}: {len(data)} bytes")


if __name__ == "__main__":
    main()
