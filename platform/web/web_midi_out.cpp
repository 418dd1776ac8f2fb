// The MIDI output in the browser: FluidSynth built for WebAssembly
// (js-synthesizer, from npm) running in an AudioWorklet of its own context,
// with the General MIDI soundfont that the page serves beside the game. The
// page starts fetching the soundfont before the game loads; the synth is
// made here and takes the soundfont when it has come. The song's short
// messages go to the synth's channel calls; anything that is not a channel
// message (the tempo records) is dropped, as a MIDI device drops it.
//
// Sound starts only after the player has touched the page. Until the synth
// sounds (no gesture yet, the soundfont still loading) the song goes on being
// sequenced: note-ons are dropped, so nothing piles up to burst out at the
// first click, while each channel's program, controllers and pitch bend are
// kept and given to the synth once it sounds. The song is then heard from
// where it has got to. A page without the synth scripts, without Web Audio
// or without the soundfont plays on without music.

#include <emscripten.h>

#include "platform/midi_out.h"

EM_JS(int, midi_synth_open, (), {
    if (typeof JSSynth == 'undefined' || typeof AudioContext == 'undefined' || !Module.waxdropSoundfont) return 0;
    const state = {
        synth: null, context: null, ready: false,
        programs: new Array(16).fill(-1),
        controls: Array.from({length: 16}, () => new Map()),
        bends: new Array(16).fill(-1),
    };
    Module.waxdropMidi = state;
    const sounding = () => state.ready && state.context.state === 'running';
    state.sounding = sounding;
    const replay = () => {
        if (!sounding() || state.replayed) return;
        state.replayed = true;
        for (let ch = 0; ch < 16; ch++) {
            state.controls[ch].forEach((v, c) => state.synth.midiControl(ch, c, v));
            if (state.programs[ch] >= 0) state.synth.midiProgramChange(ch, state.programs[ch]);
            if (state.bends[ch] >= 0) state.synth.midiPitchBend(ch, state.bends[ch]);
        }
    };
    try {
        state.context = new AudioContext({latencyHint: 'interactive'});
    } catch (e) {
        return 0;
    }
    state.context.onstatechange = replay;
    const worklets = Module.waxdropSynthWorklets || [];
    worklets.reduce((p, url) => p.then(() => state.context.audioWorklet.addModule(url)), Promise.resolve())
        .then(() => {
            state.synth = new JSSynth.AudioWorkletNodeSynthesizer();
            state.synth.init(state.context.sampleRate);
            state.synth.createAudioNode(state.context).connect(state.context.destination);
            return Module.waxdropSoundfont;
        })
        .then(font => state.synth.loadSFont(font))
        .then(() => {
            state.ready = true;
            replay();
        }, error => console.warn('WaxDrop: no music', error));
    (Module.waxdropGesture || (Module.waxdropGesture = [])).push(() => {
        if (state.context.state === 'suspended') state.context.resume();
    });
    return 1;
});

EM_JS(void, midi_synth_short, (uint32_t message), {
    const state = Module.waxdropMidi;
    if (!state) return;
    const kind = message & 0xF0, ch = message & 0x0F;
    const a = (message >> 8) & 0x7F, b = (message >> 16) & 0x7F;
    const live = state.sounding();
    const synth = state.synth;
    switch (kind) {
    case 0x80: if (live) synth.midiNoteOff(ch, a); break;
    case 0x90:
        if (!live) break;
        if (b === 0) synth.midiNoteOff(ch, a); else synth.midiNoteOn(ch, a, b);
        break;
    case 0xA0: if (live) synth.midiKeyPressure(ch, a, b); break;
    case 0xB0:
        // Controllers 120 to 127 are commands (all notes off ...), not settings to keep.
        if (a < 120) state.controls[ch].set(a, b);
        if (live) synth.midiControl(ch, a, b);
        break;
    case 0xC0: state.programs[ch] = a; if (live) synth.midiProgramChange(ch, a); break;
    case 0xD0: if (live) synth.midiChannelPressure(ch, a); break;
    case 0xE0: state.bends[ch] = (b << 7) | a; if (live) synth.midiPitchBend(ch, (b << 7) | a); break;
    }
});

EM_JS(void, midi_synth_close, (), {
    const state = Module.waxdropMidi;
    Module.waxdropMidi = null;
    if (!state) return;
    if (state.synth) state.synth.close();
    state.context.close();
});

bool midi_out_open() { return midi_synth_open() != 0; }
void midi_out_short(uint32_t message) { midi_synth_short(message); }
void midi_out_close() { midi_synth_close(); }
