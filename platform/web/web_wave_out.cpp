// The effect stream's wave output in the browser: an AudioContext at 11025 Hz
// with an AudioWorklet that plays the blocks the game queues, in order, each
// once. Each queued block is copied to the worklet at once; the worklet says
// it has taken a block when that block has less than lead_samples left to
// play, and the pump hands that notice to the game, which refills the block
// and queues it again, so the next one is there when the current one ends.
// The game thus keeps one block queued and refills it from the notice, as
// everywhere; an effect mixed now is heard within about one block and the
// lead. A page held up longer than the lead plays silence until the next
// block comes, and no block is skipped or played twice.
//
// Browsers start sound only after the player has touched the page: the
// context is made at once but stays suspended until the first click or key,
// and the first block, the stream's silence, starts playing then. The game
// starts paused and nothing sounds before the first click anyway.

#include <emscripten.h>

#include "platform/wave_out.h"
#include "platform/web/web_wave_out.h"

#include <cstdlib>

namespace {

constexpr int lead_samples = 512;

struct Device {
    WaveCallback callback = nullptr;
    const int16_t* block = nullptr;
    std::size_t samples = 0;
    int queued = 0;  // blocks written whose notice has not been handed over
};

Device* open_device = nullptr;
// Blocks the worklet has taken since the last turn, counted by the page, so
// a turn without any asks the page nothing.
int32_t notices = 0;

}  // namespace

// The worklet's source goes in as a blob, so the port is this one file: it
// plays the blocks in order, each once, and says when the one playing has
// less than the lead left.
EM_JS(void, wave_processor_define, (), {
    Module.waxdropWaveProcessor = `
        class WaxdropBlocks extends AudioWorkletProcessor {
            constructor(options) {
                super();
                this.lead = options.processorOptions.lead;
                this.blocks = [];
                this.at = 0;
                this.told = false;
                this.port.onmessage = e => {
                    if (e.data === 'reset') {
                        this.blocks = [];
                        this.at = 0;
                        this.told = false;
                    } else {
                        this.blocks.push(e.data);
                    }
                };
            }
            process(inputs, outputs) {
                const out = outputs[0][0];
                let i = 0;
                while (i < out.length && this.blocks.length) {
                    const block = this.blocks[0];
                    while (i < out.length && this.at < block.length) out[i++] = block[this.at++] / 32768;
                    if (!this.told && block.length - this.at < this.lead) {
                        this.told = true;
                        this.port.postMessage(0);
                    }
                    if (this.at === block.length) {
                        this.blocks.shift();
                        this.at = 0;
                        this.told = false;
                    }
                }
                out.fill(0, i);
                return true;
            }
        }
        registerProcessor('waxdrop-blocks', WaxdropBlocks);`;
});

EM_JS(int, wave_context_open, (int lead, int32_t* notices), {
    if (typeof AudioContext == 'undefined' || typeof AudioWorkletNode == 'undefined') return 0;
    let context;
    try {
        context = new AudioContext({sampleRate: 11025, latencyHint: 'interactive'});
    } catch (e) {
        return 0;
    }
    const wave = Module.waxdropWave = {context, node: null, early: [], taken: 0};
    const url = URL.createObjectURL(new Blob([Module.waxdropWaveProcessor], {type: 'text/javascript'}));
    context.audioWorklet.addModule(url).then(() => {
        if (Module.waxdropWave !== wave) return;
        wave.node = new AudioWorkletNode(context, 'waxdrop-blocks', {numberOfInputs: 0, outputChannelCount: [1], processorOptions: {lead}});
        wave.node.port.onmessage = () => {
            if (Module.waxdropWave !== wave) return;
            HEAP32[notices >> 2]++;
            wave.taken++;
        };
        wave.node.connect(context.destination);
        for (const b of wave.early) wave.node.port.postMessage(b, [b.buffer]);
        wave.early = [];
    }, error => console.warn('WaxDrop: no effects', error));
    (Module.waxdropGesture || (Module.waxdropGesture = [])).push(() => {
        if (context.state === 'suspended') context.resume();
    });
    return 1;
});

EM_JS(void, wave_context_send, (const int16_t* block, int samples), {
    const wave = Module.waxdropWave;
    const copy = HEAP16.slice(block >> 1, (block >> 1) + samples);
    if (wave.node) wave.node.port.postMessage(copy, [copy.buffer]);
    else wave.early.push(copy);
});

EM_JS(void, wave_context_reset, (), {
    const wave = Module.waxdropWave;
    wave.early = [];
    if (wave.node) wave.node.port.postMessage('reset');
});

EM_JS(void, wave_context_close, (), {
    const wave = Module.waxdropWave;
    Module.waxdropWave = null;
    if (wave.node) wave.node.disconnect();
    wave.context.close();
});

WaveDevice wave_out_open(WaveCallback callback) {
    notices = 0;
    if (open_device || !callback) return nullptr;
    wave_processor_define();
    if (!wave_context_open(lead_samples, &notices)) return nullptr;
    open_device = new Device;
    open_device->callback = callback;
    return open_device;
}

void* wave_block_alloc(std::size_t bytes) { return std::calloc(bytes, 1); }
void wave_block_free(void* block) { std::free(block); }

bool wave_out_prepare(WaveDevice device, void* block, std::size_t bytes) {
    Device* d = static_cast<Device*>(device);
    if (!d || !block || bytes < 2) return false;
    d->block = static_cast<const int16_t*>(block);
    d->samples = bytes / 2;
    return true;
}

bool wave_out_write(WaveDevice device) {
    Device* d = static_cast<Device*>(device);
    if (!d || !d->block) return false;
    wave_context_send(d->block, static_cast<int>(d->samples));
    ++d->queued;
    return true;
}

void wave_out_reset(WaveDevice device) {
    Device* d = static_cast<Device*>(device);
    if (!d) return;
    // What the worklet still holds is dropped, notices on the way included;
    // the block comes back with one notice of its own.
    wave_context_reset();
    notices = 0;
    const bool was_queued = d->queued > 0;
    d->queued = 0;
    if (was_queued) d->callback(d);
}

void wave_out_close(WaveDevice device) {
    Device* d = static_cast<Device*>(device);
    if (!d) return;
    wave_context_close();
    open_device = nullptr;
    delete d;
}

void wave_out_deliver() {
    if (!open_device) return;
    const int n = notices;
    notices = 0;
    for (int i = 0; i < n && open_device->queued > 0; ++i) {
        --open_device->queued;
        open_device->callback(open_device);
    }
}
