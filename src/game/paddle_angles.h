#pragma once
// The directions a paddle hit can give, as integers: the ball leaves at 60 degrees * offset / 43
// from the vertical, offset 0 to 43 pixels from the paddle's middle, so 44 angles cover every
// hit. Their sines and cosines are scaled by 1,000,000 and rounded to nearest, computed here at
// compile time by a Taylor series in integers, so that no build ever does floating point and
// every build gets the same table.

#include "game/game_rules.h"

#include <array>
#include <cstdint>

constexpr int64_t TrigScale = 1000000;
// The paddle's half width plus the ball's half width, less one: the largest offset of a ball
// that overlaps the paddle, (ball x + 4) - (paddle x + 40).
constexpr int MostPaddleOffset = PaddleWidth / 2 + BallSize / 2 - 1;

struct PaddleAngles {
  std::array<int32_t, MostPaddleOffset + 1> sine;
  std::array<int32_t, MostPaddleOffset + 1> cosine;
  // sine / cosine, scaled by TrigScale: how far across per pixel up.
  std::array<int32_t, MostPaddleOffset + 1> tangent;
};

// The series runs at 10^9, a thousand times finer than the table, and stays within 64 bits:
// an angle of at most pi / 3 is below 1.05 * 10^9, so a product of two stays below 1.1 * 10^18.
constexpr int64_t FineScale = 1000000000;
constexpr int64_t FineScalePi = 3141592654;

// sin (odd) or cos (even) of angle / FineScale, times FineScale: the terms of the series are each
// the last times -angle^2 / ((n + 1) (n + 2)).
constexpr int64_t fineSineOrCosine(int64_t angle, bool odd) {
  int64_t term = odd ? angle : FineScale;
  int64_t sum = term;
  for (int64_t n = odd ? 1 : 0; n < 20; n += 2) {
    term = -term * angle / FineScale * angle / FineScale / ((n + 1) * (n + 2));
    sum += term;
  }
  return sum;
}

constexpr int32_t roundedToTable(int64_t fine) {
  return static_cast<int32_t>((fine + FineScale / TrigScale / 2) / (FineScale / TrigScale));
}

constexpr PaddleAngles makePaddleAngles() {
  PaddleAngles angles{};
  for (int offset = 0; offset <= MostPaddleOffset; ++offset) {
    // 60 degrees * offset / 43 in radians: pi / 3 * offset / 43.
    const int64_t angle =
        FineScalePi * PaddleMostDegreesFromVertical * offset / 180 / MostPaddleOffset;
    angles.sine[offset] = roundedToTable(fineSineOrCosine(angle, true));
    angles.cosine[offset] = roundedToTable(fineSineOrCosine(angle, false));
    angles.tangent[offset] =
        static_cast<int32_t>(int64_t{angles.sine[offset]} * TrigScale / angles.cosine[offset]);
  }
  return angles;
}

constexpr PaddleAngles PaddleAngleTable = makePaddleAngles();

// The ends of the table are known exactly: sin 60 = 0.8660254, cos 60 = 0.5.
static_assert(PaddleAngleTable.sine[0] == 0 && PaddleAngleTable.cosine[0] == TrigScale);
static_assert(PaddleAngleTable.sine[MostPaddleOffset] == 866025 &&
              PaddleAngleTable.cosine[MostPaddleOffset] == 500000);
