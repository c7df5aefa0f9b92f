#include "openal/al_output_openal.h"

namespace vellum {

std::shared_ptr<TAlOutput> TAlOutput::Open(std::initializer_list<const char*> names) {
    std::shared_ptr<TAlOutput> output(new TAlOutput);
    for (const char* name : names) {
        output->_device = alcOpenDevice(name);
        if (output->_device) break;
    }
    if (!output->_device) return nullptr;
    output->_context = alcCreateContext(output->_device, nullptr);
    if (!output->_context) return nullptr;  // the destructor closes the device
    alcMakeContextCurrent(output->_context);
    return output;
}

TAlOutput::~TAlOutput() { Close(); }

void TAlOutput::Close() {
    if (_context) {
        if (alcGetCurrentContext() == _context) alcMakeContextCurrent(nullptr);
        alcDestroyContext(_context);
        _context = nullptr;
    }
    if (_device) {
        alcCloseDevice(_device);
        _device = nullptr;
    }
}

bool TAlOutput::HasExtension(const char* name) const {
    if (!IsOpen()) return false;
    TAlContextScope scope(*this);
    return alIsExtensionPresent(name) == AL_TRUE;
}

TAlContextScope::TAlContextScope(const TAlOutput& output) {
    _previous = alcGetCurrentContext();
    if (output.Context() && _previous != output.Context()) {
        alcMakeContextCurrent(output.Context());
        _switched = true;
    }
}

TAlContextScope::~TAlContextScope() {
    if (_switched) alcMakeContextCurrent(_previous);
}

}  // namespace vellum
