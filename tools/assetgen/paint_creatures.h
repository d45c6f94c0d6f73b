// Plants, seeds and small creatures painted as light on black for darkening,
// tinted cells. Each draws around the origin of a 150-pixel cell (radius about
// 65) unless it says otherwise; the caller sets the ADD operator. Creatures
// that swim or crawl face left (head toward -x); flyers that rise face up.
#pragma once

#include "paint.h"

Rgb lightWhite();

// Pieces.
void lightLeaf(cairo_t* cr, double x, double y, double size, double turn, double alpha);
void lightTendril(cairo_t* cr, double x, double y, double side, double size, double alpha);
void lightBlossom(cairo_t* cr, PaintRandom& random, double x, double y, double radius, int petals,
                  double alpha);

// Plants standing on y = 0, growing up to `height`.
void lightFern(cairo_t* cr, PaintRandom& random, double height);
void lightTulip(cairo_t* cr, PaintRandom& random, double height);
void lightDandelion(cairo_t* cr, PaintRandom& random, double height);
void lightGrassDaisy(cairo_t* cr, PaintRandom& random, double height);
void lightBellflower(cairo_t* cr, PaintRandom& random, double height);

// Seeds and creatures, centred.
void lightSamara(cairo_t* cr, PaintRandom& random, int wings);
void lightSpiralSeed(cairo_t* cr, PaintRandom& random);
void lightBeetle(cairo_t* cr, PaintRandom& random);
void lightTadpole(cairo_t* cr, PaintRandom& random);
void lightFish(cairo_t* cr, PaintRandom& random);
void lightShrimp(cairo_t* cr, PaintRandom& random);
void lightButterfly(cairo_t* cr, PaintRandom& random);
void lightParachute(cairo_t* cr, PaintRandom& random);
void lightEmberSeed(cairo_t* cr, PaintRandom& random);
void lightJellyfish(cairo_t* cr, PaintRandom& random);
void lightSquid(cairo_t* cr, PaintRandom& random);
void lightPinwheel(cairo_t* cr, PaintRandom& random);
void lightSnail(cairo_t* cr, PaintRandom& random);
void lightFirefly(cairo_t* cr, PaintRandom& random);
// Seedlings for the sprouting seeds, variant 0-4, centred.
void lightSeedling(cairo_t* cr, PaintRandom& random, int variant);
