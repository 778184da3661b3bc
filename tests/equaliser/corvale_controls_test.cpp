#include "equaliser/corvale.h"

#include "dsp/graphic_eq_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct PresetRow
{
    const char* name;
    double values[16];
};

// The factory presets as published, values exactly as saved.
const PresetRow kExpectedPresets[16] = {
    {"Factory Preset", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0}},
    {"BD Drums", {0, 1.35, 4.35, 3.75, 1.35, 0, 0, 2.25, 2.85, 1.950001, 0, 4.049999, 5.25, 3.15, 0, 1.3}},
    {"BD Male Vocal", {0, 0, 1.950001, 2.549999, 1.65, 0.450001, 0, 0.75, 2.25, 3.450001, 4.049999, 2.25, 0, 0, 0, 1.0}},
    {"CSL Male Vocal", {0, 0, 0, 0, 0, 0, 0, 0, 1.65, 3.15, 3.15, 1.65, 0, 0, 0, 1.44}},
    {"MDF Male Vocal", {0, 0, 1.950001, 2.549999, 1.65, 0.450001, 0, 0.75, 1.65, 2.45, 3.0, 1.85, 0, 0, 0, 1.0}},
    {"HTM Drums", {0, 0, 1.049999, 2.25, 2.549999, 1.65, 0, -1.65, 0, 0.450001, 0.75, 1.049999, 0.15, -0.15, 0, 1.0}},
    {"POMH Drums", {0.75, 2.25, 3.450001, 3.450001, 1.65, 0, 0, 0, 0, 2.25, 2.85, 3.15, 1.950001, -0.45, -4.05, 0.83}},
    {"POMH Male Vocal", {0, 0, 1.35, 1.950001, 1.65, 1.049999, 0, 0, 0, 1.35, 2.549999, 1.65, 0, 0, 0, 1.0}},
    {"LL Drums", {0, 0.75, 3.75, 4.65, 3.75, 1.35, 0, 0, 0, 3.15, 4.65, 4.35, 2.25, 0, 0, 1.0}},
    {"LL Piano", {0, 0, 0, 0, 0, 0, 0, 0, 0, 1.65, 3.450001, 2.549999, 0, 0, 0, 2.0}},
    {"MK Male Vocal", {0, 0, 0, 0, 1.35, 1.35, 0.75, 0, 1.049999, 1.65, 1.950001, 1.950001, 0.75, 0, 0, 1.17}},
    {"MK Piano Bus", {0, 2.549999, 4.65, 3.15, 2.4, 1.65, 0, 1.65, 3.75, 5.25, 4.049999, 1.65, 0, 0, 0, 1.0}},
    {"MQL Rhythm Guitar HP Shelf", {-9.75, -9.45, -9.15, -8.55, -7.35, -5.55, -2.55, -1.05, 0, 0, 0, 0, 0, 0, 0, 1.0}},
    {"NDM Drums", {0, 1.0, 1.0, 1.0, 1.0, 0, 0, 2.25, 2.85, 1.950001, 0, 4.049999, 5.25, 3.15, 0, 1.3}},
    {"OS Drums", {0, 0.75, 2.25, 2.85, 1.950001, 0, 0, 1.950001, 3.15, 1.65, 0, 1.049999, 1.049999, 0.450001, 0, 1.0}},
    {"SYL Piano Bus", {-0.255, -0.45, 0.450001, 0, -0.75, -2.55, -2.55, -1.05, -1.35, 1.65, 4.65, 6.15, 4.65, 1.35, -3.45, 1.27}},
};

const char* const kNames[16] = {"25", "40", "63", "100", "160", "250", "400", "630",
                                "1000", "1600", "2500", "4000", "6300", "10000", "16000", "Gain"};

} // namespace

TEST(CorvaleControls, SixteenControlsWithTheirRangesAndTexts)
{
    CCorvale plugIn;
    ASSERT_EQ(plugIn.m_controls.count(), 16);
    ASSERT_EQ(plugIn.m_nControlCount, 16u);
    for (int p = 0; p < 16; ++p)
    {
        const CControlDescriptor* d = plugIn.m_controls.at(p);
        SCOPED_TRACE(kNames[p]);
        EXPECT_STREQ(d->name, kNames[p]);
        EXPECT_STREQ(d->units, "");
        EXPECT_EQ(d->controlType, kControlTypeNormal);
        EXPECT_EQ(d->dataType, kDataFloat);
        EXPECT_EQ(d->controlId, static_cast<uint32_t>(p));
        EXPECT_EQ(d->updatePosition, p);
        EXPECT_EQ(d->precision, 2);
        EXPECT_FALSE(d->smoothingEnabled);
        EXPECT_EQ(d->minValue, p < 15 ? -12.0f : 0.0f);
        EXPECT_EQ(d->maxValue, p < 15 ? 12.0f : 2.0f);
        EXPECT_EQ(*d->floatVariable, p < 15 ? 0.0f : 1.0f);
        EXPECT_EQ(plugIn.m_ppControlTable[p], d);
    }
    EXPECT_EQ(plugIn.m_joystickX.controlId, 32773u);
    EXPECT_EQ(plugIn.m_joystickY.controlId, 32774u);
    EXPECT_EQ(plugIn.m_joystickX.updatePosition, 16);
    EXPECT_EQ(plugIn.m_joystickY.updatePosition, 17);
    EXPECT_STREQ(plugIn.m_pszPlugInName, "CorvaleVTwo");
    EXPECT_EQ(plugIn.m_fLatencySamples, 127.0f);
    EXPECT_EQ(plugIn.m_fTailTimeMs, 500.0f);
}

TEST(CorvaleControls, PresetsHoldTheirValuesAsWritten)
{
    CCorvale plugIn;
    for (int slot = 0; slot < 16; ++slot)
    {
        SCOPED_TRACE(kExpectedPresets[slot].name);
        ASSERT_NE(plugIn.m_pszPresetNames[slot], nullptr);
        EXPECT_EQ(std::string(plugIn.m_pszPresetNames[slot]), kExpectedPresets[slot].name);
        for (int p = 0; p < 16; ++p)
            EXPECT_EQ(plugIn.m_controls.at(p)->presetValues[slot], kExpectedPresets[slot].values[p])
                << "control " << kNames[p];
        EXPECT_EQ(plugIn.m_joystickX.presetValues[slot], 0.0);
    }
}

TEST(CorvaleControls, SecondInitControlsChangesNothing)
{
    CCorvale plugIn;
    plugIn.setControlPlain(3, 4.5f);
    CControlDescriptor* const first = plugIn.m_controls.at(0);
    ASSERT_TRUE(plugIn.initControls());
    EXPECT_EQ(plugIn.m_controls.count(), 16);
    EXPECT_EQ(plugIn.m_controls.at(0), first);
    EXPECT_EQ(plugIn.m_fVolX04dB, 4.5f);
    EXPECT_STREQ(plugIn.m_pszPresetNames[12], "MQL Rhythm Guitar HP Shelf");
}

TEST(CorvaleControls, BandChangeConvertsDecibelsToALinearGain)
{
    CCorvale plugIn;
    plugIn.initializePlugIn();
    plugIn.setControlNormalized(8, 0.75f, false);  // +6 dB on "1000"
    plugIn.flushBandGains();
    EXPECT_EQ(plugIn.m_fVolX09dB, 6.0f);
    EXPECT_FLOAT_EQ(plugIn.m_fBandLinearGain[8], 1.9952623f);
    for (int band = 0; band < 15; ++band)
    {
        if (band != 8)
        {
            EXPECT_EQ(plugIn.m_fBandLinearGain[band], 1.0f) << band;
        }
        EXPECT_EQ(plugIn.leftEngine().gains()[band], static_cast<double>(plugIn.m_fBandLinearGain[band]));
        EXPECT_EQ(plugIn.rightEngine().gains()[band], plugIn.leftEngine().gains()[band]);
    }
}

TEST(CorvaleControls, OtherControlIdsLeaveTheEnginesAlone)
{
    CCorvale plugIn;
    plugIn.initializePlugIn();
    plugIn.m_fVolX01dB = 12.0f;  // changed behind the plug-in's back: only an announcement applies it
    for (uint32_t id : {15u, 50u, 51u, 52u, 99u})
    {
        plugIn.controlChanged(id);
        plugIn.flushBandGains();
        EXPECT_EQ(plugIn.leftEngine().gains()[0], 1.0) << id;
    }
    plugIn.controlChanged(0);
    plugIn.flushBandGains();
    EXPECT_NEAR(plugIn.leftEngine().gains()[0], std::pow(10.0, 12.0 / 20.0), 1e-6);
}

TEST(CorvaleControls, ApplyingAPresetSetsEveryControl)
{
    for (int slot : {9, 12})
    {
        CCorvale plugIn;
        plugIn.initializePlugIn();
        for (uint32_t p = 0; p < 16; ++p)
        {
            const CControlDescriptor* d = plugIn.m_controls.at(static_cast<int>(p));
            const double n = (d->presetValues[slot] - d->minValue) / (d->maxValue - d->minValue);
            plugIn.setControlNormalized(p, static_cast<float>(n), false);
        }
        for (uint32_t p = 0; p < 16; ++p)
            EXPECT_NEAR(plugIn.getControlValue(p), kExpectedPresets[slot].values[p], 1e-5)
                << kExpectedPresets[slot].name << " control " << kNames[p];
    }
}
