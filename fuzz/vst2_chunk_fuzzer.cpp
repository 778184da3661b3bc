// libFuzzer entry for the VST 2 chunk target, with the module linked in
// (built by scripts/fuzz.sh). A broken check aborts with what broke.
#include "vst2_chunk_fuzz_target.h"

#include <cstdio>
#include <cstdlib>

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static corvale::fuzz::Vst2ChunkFuzzTarget target(&VSTPluginMain);
    if (!target.ready())
    {
        std::fprintf(stderr, "fuzz_vst2_chunk: the module gave no effect\n");
        std::abort();
    }
    const std::string broken = target.run(data, size);
    if (!broken.empty())
    {
        std::fprintf(stderr, "fuzz_vst2_chunk: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
