#!/usr/bin/env python3
"""Makes the three built-in alarm sounds with Python's wave module:
  alarm.wav        a beeping two-tone alarm
  bell.wav         a struck bell that dies away
  time signal.wav  three short pips and a long one
8-bit mono at 11025 Hz keeps each file small. The outputs are committed; run
this only to change them."""
import math
import os
import wave

RATE = 11025


def tone(freqs, seconds, decay=0.0, volume=0.6):
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        v = sum(math.sin(2 * math.pi * f * t) for f in freqs) / len(freqs)
        v *= volume * math.exp(-decay * t)
        # A few milliseconds of fade at both ends keep the edges from clicking.
        edge = min(i, n - 1 - i) / (RATE * 0.004)
        out.append(v * min(edge, 1.0))
    return out


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def write(name, samples):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(RATE)
        w.writeframes(bytes(max(0, min(255, int(128 + 127 * s))) for s in samples))


alarm = []
for _ in range(4):
    alarm += tone([880], 0.12) + silence(0.04) + tone([660], 0.12) + silence(0.12)
write("alarm.wav", alarm)

write("bell.wav", tone([523.25, 1046.5, 1568.0, 2093.0], 1.6, decay=2.5, volume=0.9))

signal = []
for _ in range(3):
    signal += tone([1000], 0.1) + silence(0.9)
signal += tone([1000], 0.5)
write("time signal.wav", signal)
