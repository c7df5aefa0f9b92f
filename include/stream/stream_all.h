#pragma once
/// \file
/// Every public header of the stream module.

#include "stream/bank.h"
#include "stream/bank_functions.h"
#include "stream/bank_stream.h"
#include "stream/cstream.h"
#include "stream/incbin.h"
#include "stream/io.h"
#include "stream/open_stream.h"
#include "stream/peek_poke.h"
#include "stream/ram_stream.h"
#include "stream/stream.h"
#include "stream/stream_factories.h"
#include "stream/stream_factory.h"
#include "stream/stream_module.h"
#include "stream/stream_stream.h"
#include "stream/stream_wrapper.h"
#include "stream/text_file.h"
#include "stream/text_stream.h"
#include "stream/xendian_stream.h"
