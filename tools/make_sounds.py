#!/usr/bin/env python3
# Generates orvel's four sound effects (beep, two floppy drive start-ups, a buzz) as WAV files.
# Kept apart from the program: synthesised here with fixed seeds, so reruns match byte for byte.
"""Write source/resources/sounds/{beep,drive_startup_a,pbbbt,drive_startup_b}.wav.

Usage: python3 tools/make_sounds.py [output-directory]

All sounds are 16-bit PCM, mono, 22050 Hz, shorter than 1.5 s. Only the standard
library is used; noise comes from random.Random with fixed seeds.
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050
TWO_PI = 2.0 * math.pi


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix_into(track, sound, start_seconds, gain=1.0):
    """Adds sound into track from start_seconds on, growing the track when needed."""
    start = int(round(start_seconds * RATE))
    end = start + len(sound)
    if end > len(track):
        track.extend([0.0] * (end - len(track)))
    for i, value in enumerate(sound):
        track[start + i] += gain * value


def fade_edges(samples, fade_seconds):
    """Ramps both ends with a raised cosine so the sound starts and stops without a click."""
    count = min(int(fade_seconds * RATE), len(samples) // 2)
    for i in range(count):
        weight = 0.5 - 0.5 * math.cos(math.pi * i / count)
        samples[i] *= weight
        samples[-1 - i] *= weight
    return samples


def one_pole_lowpass(samples, cutoff_hz):
    """Softens noise into a rumble; one pole is enough for a motor's hiss."""
    alpha = 1.0 - math.exp(-TWO_PI * cutoff_hz / RATE)
    out = []
    state = 0.0
    for value in samples:
        state += alpha * (value - state)
        out.append(state)
    return out


def square_tone(frequency, seconds, harmonics_below=10000.0):
    """A square wave built from its odd harmonics up to harmonics_below, so it does not alias."""
    count = int(round(seconds * RATE))
    partials = []
    k = 1
    while k * frequency < harmonics_below:
        partials.append(k)
        k += 2
    scale = 4.0 / math.pi
    out = []
    for i in range(count):
        t = i / RATE
        out.append(scale * sum(math.sin(TWO_PI * k * frequency * t) / k for k in partials))
    return out


def head_click(rng, loudness=1.0, pitch=1.0):
    """One step of the read/write head: a sharp knock with a short metallic ring."""
    length = int(0.012 * RATE)
    ring_hz = 2300.0 * pitch
    body_hz = 420.0 * pitch
    out = []
    for i in range(length):
        t = i / RATE
        ring = math.sin(TWO_PI * ring_hz * t) * math.exp(-t / 0.0018)
        body = math.sin(TWO_PI * body_hz * t) * math.exp(-t / 0.0035)
        grit = (rng.random() * 2.0 - 1.0) * math.exp(-t / 0.0009)
        out.append(loudness * (0.45 * ring + 0.55 * body + 0.35 * grit))
    return out


def motor_hum(rng, seconds, start_hz, end_hz, spin_up_seconds):
    """The spindle motor: a low tone with a few harmonics, gliding up to speed, plus rumble."""
    count = int(round(seconds * RATE))
    noise = [rng.random() * 2.0 - 1.0 for _ in range(count)]
    rumble = one_pole_lowpass(noise, 180.0)
    # The bearing's whir sits higher, where small speakers still play it.
    whir_low = one_pole_lowpass(noise, 350.0)
    whir = [a - b for a, b in zip(one_pole_lowpass(noise, 1400.0), whir_low)]
    phase = 0.0
    out = []
    for i in range(count):
        t = i / RATE
        progress = min(1.0, t / spin_up_seconds) if spin_up_seconds > 0 else 1.0
        frequency = start_hz + (end_hz - start_hz) * (1.0 - (1.0 - progress) ** 2)
        phase += TWO_PI * frequency / RATE
        tone = 0.55 * math.sin(phase) + 0.3 * math.sin(2 * phase + 0.4) + 0.15 * math.sin(3 * phase)
        # A belt-driven spindle wobbles a little: slow amplitude flutter.
        flutter = 1.0 + 0.12 * math.sin(TWO_PI * 5.0 * t)
        level = 0.35 + 0.65 * progress
        out.append(level * (0.6 * tone * flutter + 2.2 * rumble[i] + 0.5 * progress * whir[i]))
    return out


def make_beep():
    tone = square_tone(1000.0, 0.1)
    return fade_edges([0.45 * v for v in tone], 0.003)


def make_drive_startup_a():
    """The motor spins up while the head rattles against its stop to find track 0."""
    rng = random.Random(0x5A1)
    track = motor_hum(rng, 1.3, 18.0, 48.0, 0.35)
    track = [0.25 * v for v in track]
    # Recalibration: a long run of quick steps, slightly uneven as the head bounces.
    when = 0.22
    for _ in range(34):
        loudness = 0.75 + 0.25 * rng.random()
        mix_into(track, head_click(rng, loudness, pitch=0.95 + 0.1 * rng.random()), when)
        when += 0.0205 + 0.003 * (rng.random() - 0.5)
    # One firmer knock as the head settles on track 0.
    mix_into(track, head_click(rng, 1.1, pitch=0.85), when + 0.05)
    return fade_edges(track[: int(1.3 * RATE)], 0.02)


def make_drive_startup_b():
    """The motor already near speed; the head seeks outward in a few steps and settles."""
    rng = random.Random(0x5B2)
    track = motor_hum(rng, 1.25, 36.0, 50.0, 0.15)
    track = [0.22 * v for v in track]
    rhythm = [
        (0.18, 8, 0.031),  # seek across a few tracks
        (0.52, 3, 0.045),  # a short correction
        (0.80, 1, 0.0),  # settle
    ]
    for start, steps, spacing in rhythm:
        for step in range(steps):
            loudness = 0.7 + 0.2 * rng.random()
            mix_into(track, head_click(rng, loudness, pitch=1.05), start + step * spacing)
    return fade_edges(track[: int(1.25 * RATE)], 0.02)


def make_pbbbt():
    """A low, rasping buzz: a clipped sawtooth with a sputtering flutter."""
    rng = random.Random(0xBBB)
    count = int(0.3 * RATE)
    out = []
    phase = 0.0
    for i in range(count):
        t = i / RATE
        frequency = 95.0 - 20.0 * t + 4.0 * math.sin(TWO_PI * 11.0 * t)
        phase = (phase + frequency / RATE) % 1.0
        saw = 2.0 * phase - 1.0
        sputter = 0.75 + 0.25 * math.sin(TWO_PI * 31.0 * t)
        raw = 1.8 * saw * sputter + 0.25 * (rng.random() * 2.0 - 1.0)
        out.append(0.55 * math.tanh(raw))
    return fade_edges(out, 0.01)


def to_pcm16(samples):
    """Normalises to a safe peak and packs little-endian 16-bit samples."""
    peak = max(abs(v) for v in samples) or 1.0
    gain = min(1.0, 0.89 / peak)
    ints = [max(-32767, min(32767, int(round(v * gain * 32767)))) for v in samples]
    return struct.pack("<%dh" % len(ints), *ints)


def write_wav(path, samples):
    with wave.open(path, "wb") as wav:
        wav.setnchannels(1)
        wav.setsampwidth(2)
        wav.setframerate(RATE)
        wav.writeframes(to_pcm16(samples))


SOUNDS = {
    "beep.wav": make_beep,
    "drive_startup_a.wav": make_drive_startup_a,
    "pbbbt.wav": make_pbbbt,
    "drive_startup_b.wav": make_drive_startup_b,
}


def main():
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    default_dir = os.path.join(repo, "source", "resources", "sounds")
    out_dir = sys.argv[1] if len(sys.argv) > 1 else default_dir
    os.makedirs(out_dir, exist_ok=True)
    for name, make in SOUNDS.items():
        samples = make()
        if not 0 < len(samples) < 1.5 * RATE:
            raise SystemExit("%s: length %d samples is out of range" % (name, len(samples)))
        write_wav(os.path.join(out_dir, name), samples)
        print("wrote %s (%.3f s)" % (name, len(samples) / RATE))


if __name__ == "__main__":
    main()
