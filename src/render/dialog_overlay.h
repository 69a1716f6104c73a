#pragma once
// The dialogs of the name-entry and browsing modes, over the editor picture dimmed to half.

#include "render/frame.h"

// Dims the editor picture that drawFrame drew on backSurface onto the screen at half intensity
// (without a backSurface the picture is on the screen and stays undimmed), then draws the grey
// dialog box with the prompts and fields, or with the visible level names.
void drawDialogOverlay(const RenderResources &resources, const Editor &editor);

// Half intensity everywhere: copies the editor picture on backSurface onto the screen dimmed.
// Without a backSurface the picture is on the screen and stays as it is.
void dimScreen(SDL_Surface *screen, SDL_Surface *backSurface);
