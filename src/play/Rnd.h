// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The uniform random numbers for the ball pictures: the same sequence at
// every run, continuing from one stage visit to the next.
// x <- (x * 1140671485 + 12820163) mod 2^24 from x = 327680; r = x / 2^24.
double Rnd();

// Starts the sequence again (tests only).
void ResetRndForTesting();

// A ball picture index 0..7 from the next draw: floor(8 r).
int RandomBallPicture();
