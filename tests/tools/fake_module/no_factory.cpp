// A shared object that is no VST 3 module: it exports no GetPluginFactory.
extern "C" __attribute__((visibility("default"))) int notAPlugin()
{
    return 42;
}
