/* What the fake plug-in promises, shared by it and the tests that load it. */
#ifndef FAKE_PLUGIN_CONTRACT_H
#define FAKE_PLUGIN_CONTRACT_H

#define FAKE_PLUGIN_IDENTIFICATION "Cross-fade (test)"
#define FAKE_PLUGIN_VERSION 20
#define FAKE_PLUGIN_KIND 2001

/* With a next frame of the same size it hands over FAKE_PLUGIN_STEPS + 1
 * frames with command 3, from the current frame to the next one; without a
 * next frame FAKE_PLUGIN_STEPS frames with command 4, from the current frame
 * fading towards black. Each with this display time. */
#define FAKE_PLUGIN_STEPS 4
#define FAKE_PLUGIN_DELAY_MS 70

#endif
