#!/usr/bin/env python3
"""Synthesise Kestrune's five sound effects into resources/sounds/.

Standard library only, so the sounds can be rebuilt anywhere Python 3 runs.
Every random source has a fixed seed: running the script again gives the
same files byte for byte.

The file formats and exact sizes are fixed (the program embeds these files
and the shut-down wait is tuned to the longest one); the content is ours.
"""

import math
import os
import random
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.normpath(os.path.join(HERE, "..", "..", "resources", "sounds"))

HEADER_BYTES = 44
TAU = 2.0 * math.pi


# --- small signal helpers -------------------------------------------------

def silence(n):
    return [0.0] * n


def mix_into(buf, sig, start, gain=1.0):
    """Add sig into buf at sample offset start, clipping at the buffer end."""
    end = min(len(buf), start + len(sig))
    for i in range(max(0, start), end):
        buf[i] += gain * sig[i - start]


def note_freq(semitones_from_a4):
    return 440.0 * 2.0 ** (semitones_from_a4 / 12.0)


def bell_note(rate, freq, dur, decay, attack=0.004, partials=((1, 1.0),),
              vibrato=0.0, vib_rate=5.0):
    """A soft struck tone: sum of partials, each decaying faster the higher it is."""
    n = int(dur * rate)
    out = [0.0] * n
    att = max(1, int(attack * rate))
    phase = [0.0] * len(partials)
    for i in range(n):
        t = i / rate
        # Vibrato eases in so short notes stay steady.
        vib = 1.0 + vibrato * min(1.0, t / 0.3) * math.sin(TAU * vib_rate * t)
        s = 0.0
        for k, (mult, amp) in enumerate(partials):
            phase[k] += TAU * freq * mult * vib / rate
            s += amp * math.exp(-t * mult / decay) * math.sin(phase[k])
        env = 0.5 - 0.5 * math.cos(math.pi * i / att) if i < att else 1.0
        out[i] = s * env
    return out


def biquad_bandpass(sig, rate, centre, q):
    """RBJ band-pass (constant 0 dB peak gain)."""
    w0 = TAU * centre / rate
    alpha = math.sin(w0) / (2.0 * q)
    a0 = 1.0 + alpha
    b0, b2 = alpha / a0, -alpha / a0
    a1, a2 = -2.0 * math.cos(w0) / a0, (1.0 - alpha) / a0
    x1 = x2 = y1 = y2 = 0.0
    out = [0.0] * len(sig)
    for i, x in enumerate(sig):
        y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x
        y2, y1 = y1, y
        out[i] = y
    return out


def one_pole_lowpass(sig, rate, cutoff):
    k = 1.0 - math.exp(-TAU * cutoff / rate)
    y = 0.0
    out = [0.0] * len(sig)
    for i, x in enumerate(sig):
        y += k * (x - y)
        out[i] = y
    return out


def one_pole_highpass(sig, rate, cutoff):
    low = one_pole_lowpass(sig, rate, cutoff)
    return [x - l for x, l in zip(sig, low)]


def noise(rng, n):
    return [rng.uniform(-1.0, 1.0) for _ in range(n)]


def finish(buf, rate, peak, fade_in=0.002, fade_out=0.02):
    """Normalise to the given peak and fade both ends to true silence."""
    top = max(abs(x) for x in buf) or 1.0
    buf = [x * peak / top for x in buf]
    n = len(buf)
    fi = max(1, int(fade_in * rate))
    fo = max(1, int(fade_out * rate))
    for i in range(fi):
        buf[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(fo):
        buf[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    buf[0] = buf[-1] = 0.0
    return buf


# --- the sounds ----------------------------------------------------------

SOFT = ((1, 1.0), (2, 0.18), (3, 0.05))
BELL = ((1, 1.0), (2, 0.30), (3, 0.10), (4, 0.04))


def make_elvis(rate, n):
    """Start-up: a quick rising C major arpeggio that rings out ("hello")."""
    buf = silence(n)
    c5, e5, g5, c6 = (note_freq(s) for s in (3, 7, 10, 15))
    step = 0.105
    for k, f in enumerate((c5, e5, g5)):
        mix_into(buf, bell_note(rate, f, 0.40, 0.10, partials=BELL),
                 int(k * step * rate), 0.8)
    # The top note is the one that stays; a faint fifth above adds sparkle.
    top_at = int(3 * step * rate)
    mix_into(buf, bell_note(rate, c6, n / rate, 0.16, partials=BELL), top_at, 1.0)
    mix_into(buf, bell_note(rate, c6 * 1.5, n / rate, 0.08), top_at, 0.12)
    return finish(buf, rate, 0.80, fade_out=0.06)


def make_donuts(rate, n):
    """Shut-down: a gentle descending "bye-bye" that settles on a warm chord."""
    buf = silence(n)
    g5, e5, d5, c5 = (note_freq(s) for s in (10, 7, 5, 3))
    g4, e4, c4 = (note_freq(s) for s in (-2, -5, -9))
    # Three falling notes, a breath, then a two-note "bye-bye".
    for at, f, amp in ((0.00, g5, 0.70), (0.20, e5, 0.70), (0.40, c5, 0.75),
                       (0.78, d5, 0.65)):
        mix_into(buf, bell_note(rate, f, 0.7, 0.16, partials=SOFT),
                 int(at * rate), amp)
    last = int(1.00 * rate)
    rest = n - last
    mix_into(buf, bell_note(rate, c5, rest / rate, 0.50, partials=SOFT,
                            vibrato=0.004), last, 0.80)
    for f, amp in ((g4, 0.30), (e4, 0.28), (c4, 0.30)):
        mix_into(buf, bell_note(rate, f, rest / rate, 0.55, attack=0.03,
                                partials=SOFT), last, amp)
    return finish(buf, rate, 0.78, fade_out=0.25)


def make_drip(rate, n):
    """A water drip: a sine blip whose pitch shoots up while it dies away."""
    def blip(f0, f1, sweep, decay, length):
        m = int(length * rate)
        out = [0.0] * m
        ph = 0.0
        for i in range(m):
            t = i / rate
            f = f0 + (f1 - f0) * (1.0 - math.exp(-t / sweep))
            ph += TAU * f / rate
            env = min(1.0, t / 0.0008) * math.exp(-t / decay)
            out[i] = env * math.sin(ph)
        return out

    buf = silence(n)
    mix_into(buf, blip(650.0, 2300.0, 0.018, 0.020, n / rate), int(0.002 * rate))
    # A faint reflection makes it sound like a basin rather than a beep.
    mix_into(buf, blip(900.0, 2600.0, 0.012, 0.012, 0.05), int(0.055 * rate), 0.14)
    return finish(buf, rate, 0.70, fade_in=0.001, fade_out=0.015)


def make_pop(rate, n):
    """A cork pop: sharp puff, a rising hollow 'plop', then a little fizz."""
    rng = random.Random(0x9091)
    buf = silence(n)
    start = int(0.003 * rate)

    # The puff of air as the cork leaves.
    m = int(0.012 * rate)
    puff = one_pole_lowpass(noise(rng, m), rate, 3000.0)
    puff = [x * math.exp(-i / (0.0025 * rate)) for i, x in enumerate(puff)]
    mix_into(buf, puff, start, 1.6)

    # The bottle neck ringing, pitch rising as the cork clears it.
    m = int(0.14 * rate)
    body = [0.0] * m
    ph = 0.0
    for i in range(m):
        t = i / rate
        f = 320.0 + 520.0 * (1.0 - math.exp(-t / 0.015))
        ph += TAU * f / rate
        env = min(1.0, t / 0.001) * math.exp(-t / 0.032)
        body[i] = env * (math.sin(ph) + 0.25 * math.sin(2.0 * ph))
    mix_into(buf, body, start, 1.0)

    # Fizz: a scatter of tiny bubble blips, thinning out.
    t = 0.05
    while t < 0.41:
        f = rng.uniform(2200.0, 4800.0)
        amp = 0.16 * math.exp(-(t - 0.05) / 0.14) * rng.uniform(0.4, 1.0)
        m = int(0.006 * rate)
        blip = [math.sin(TAU * f * (1.0 + 0.4 * i / m) * i / rate)
                * math.exp(-i / (0.0015 * rate)) for i in range(m)]
        mix_into(buf, blip, int(t * rate), amp)
        t += rng.uniform(0.006, 0.030)
    return finish(buf, rate, 0.82, fade_in=0.001, fade_out=0.03)


def make_snapshot(rate, n):
    """A camera shutter: open click, close click, then the short film winder."""
    rng = random.Random(0x5A4B)
    buf = silence(n)

    def click(length, tau, ring_hz, ring_tau):
        m = int(length * rate)
        raw = noise(rng, m)
        snap = one_pole_highpass(raw, rate, 1500.0)
        ring = biquad_bandpass(raw, rate, ring_hz, 6.0)
        out = [0.0] * m
        for i in range(m):
            t = i / rate
            att = min(1.0, t / 0.0003)
            out[i] = att * (snap[i] * math.exp(-t / tau)
                            + 2.5 * ring[i] * math.exp(-t / ring_tau))
        return out

    mix_into(buf, click(0.05, 0.004, 3400.0, 0.010), int(0.004 * rate), 1.0)
    mix_into(buf, click(0.06, 0.005, 2700.0, 0.014), int(0.085 * rate), 0.85)

    # Winder: band-limited noise chopped by a ratchet, swelling then easing off.
    w0, w1 = 0.17, 0.40
    m = int((w1 - w0) * rate)
    whirr = biquad_bandpass(noise(rng, m), rate, 1800.0, 1.5)
    for i in range(m):
        t = i / rate
        pos = t / (w1 - w0)
        swell = math.sin(math.pi * pos) ** 0.7
        tooth = (t * 55.0) % 1.0
        ratchet = 0.35 + 0.65 * math.exp(-tooth / 0.18)
        whirr[i] *= swell * ratchet
    mix_into(buf, whirr, int(w0 * rate), 0.55)
    return finish(buf, rate, 0.80, fade_in=0.001, fade_out=0.015)


# name, bits, rate, total file bytes, builder
SOUNDS = (
    ("donuts", 8, 11127, 25932, make_donuts),
    ("drip", 16, 22050, 5708, make_drip),
    ("elvis", 8, 11127, 8012, make_elvis),
    ("pop", 8, 22050, 9772, make_pop),
    ("snapshot", 8, 22050, 9320, make_snapshot),
)


# --- writing -------------------------------------------------------------

def encode(samples, bits):
    if bits == 8:
        # 8-bit WAVE is unsigned, 128 is silence.
        return bytes(max(0, min(255, 128 + int(round(x * 127.0)))) for x in samples)
    vals = [max(-32768, min(32767, int(round(x * 32767.0)))) for x in samples]
    return struct.pack("<%dh" % len(vals), *vals)


def wave_image(data, bits, rate):
    """A plain 44-byte RIFF header (fmt + data only) followed by the data."""
    block = bits // 8
    header = struct.pack(
        "<4sI4s4sIHHIIHH4sI",
        b"RIFF", 36 + len(data), b"WAVE",
        b"fmt ", 16, 1, 1, rate, rate * block, block, bits,
        b"data", len(data))
    assert len(header) == HEADER_BYTES
    # Odd data lengths would need a pad byte and break the fixed sizes.
    assert len(data) % 2 == 0
    return header + data


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, bits, rate, total, build in SOUNDS:
        data_bytes = total - HEADER_BYTES
        count = data_bytes // (bits // 8)
        samples = build(rate, count)
        assert len(samples) == count, name
        image = wave_image(encode(samples, bits), bits, rate)
        assert len(image) == total, (name, len(image), total)
        path = os.path.join(OUT_DIR, name + ".wav")
        with open(path, "wb") as f:
            f.write(image)
        print("%-13s %2d bit %5d Hz %6d bytes %6.3f s"
              % (name + ".wav", bits, rate, total, count / rate))
    return 0


if __name__ == "__main__":
    sys.exit(main())
