#pragma once
/// \file
/// Every public header of the audio module.

#include "audio/audio_driver.h"
#include "audio/audio_functions.h"
#include "audio/audio_module.h"
#include "audio/audio_sample.h"
#include "audio/openal_audio.h"
#include "audio/sample_loader.h"
#include "audio/sound.h"
