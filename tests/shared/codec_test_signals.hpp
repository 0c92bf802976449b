// Synthetic test signals and measures for the codec tests: a speech-like and a music-like
// signal at 8000 Hz, deterministic on every platform up to the last bit of the math library.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace codec_test {

// Voiced syllables (a gliding pulse train through moving formant resonators) separated by
// short pauses and noise bursts, peaking near 70 % of full scale.
std::vector<std::int16_t> speechLike(std::size_t samples);

// Decaying harmonic notes in changing chords over a bass line, peaking near 70 % of full
// scale.
std::vector<std::int16_t> musicLike(std::size_t samples);

// A sine of `amplitude` that fades in linearly over `fadeSamples`.
std::vector<std::int16_t> fadedTone(double frequency, double amplitude, std::size_t samples,
                                    std::size_t fadeSamples);

// Signal-to-noise ratio in dB of `decoded` against `reference` over their common length.
double snrDb(std::span<const std::int16_t> reference, std::span<const std::int16_t> decoded);

// A temporary-WAV image: the 44-byte header and the samples, 16-bit little-endian.
std::vector<unsigned char> tempWavImage(std::span<const std::int16_t> samples);

// The samples as 16-bit little-endian bytes.
std::string pcmBytes(std::span<const std::int16_t> samples);
std::vector<std::int16_t> pcmSamples(const std::string& bytes);

} // namespace codec_test
