#!/usr/bin/env python3
"""Writes a short stereo demonstration signal (kick, hi-hat, bass and chord) as a
16-bit WAV file, using only the standard library."""
import math
import random
import struct
import sys
import wave

RATE = 44100
SECONDS = 6.0


def sample(t, rng):
    beat = t % 0.5
    kick = math.sin(2 * math.pi * (50 + 80 * math.exp(-beat * 30)) * beat) * math.exp(-beat * 8)
    hat_time = (t + 0.25) % 0.5
    hat = rng.uniform(-1, 1) * math.exp(-hat_time * 60) * 0.3
    bass = 0.25 * math.sin(2 * math.pi * 55 * t)
    chord = sum(0.08 * math.sin(2 * math.pi * f * t) for f in (220.0, 277.18, 329.63, 440.0))
    return kick * 0.6 + hat + bass + chord


def main(path):
    rng = random.Random(1)
    frames = bytearray()
    for n in range(int(RATE * SECONDS)):
        t = n / RATE
        mid = sample(t, rng)
        left = max(-1.0, min(1.0, 0.7 * mid + 0.05 * math.sin(2 * math.pi * 3000 * t)))
        right = max(-1.0, min(1.0, 0.7 * mid + 0.05 * math.sin(2 * math.pi * 5000 * t)))
        frames += struct.pack("<hh", int(left * 32767), int(right * 32767))
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "demo-input.wav")
