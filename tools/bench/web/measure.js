#!/usr/bin/env node
// The browser game's figures in headless Chromium, served from this machine:
//
//   node tools/bench/web/measure.js [WEB_BUILD] [--runs N] [--minutes M]
//
// - navigation to the first picture on the page (a new profile each run);
// - frames per second of the game, then, in the same page once the game has
//   ended (File > Exit), of a bare loop that turns the same way (a message
//   to itself each turn) and only copies a 640 x 440 picture, shown on the
//   canvas at each display refresh as the game's are; their ratio;
// - the page's own files, whole and gzipped;
// - with --minutes, the page's memory (JavaScript heap and the game's
//   WebAssembly memory) sampled every 30 s over that much play, the game
//   kept running by a click now and then and its boxes answered with Enter.
// Prints each run and the medians. A benchmark, not a test: nothing here
// passes or fails.
'use strict';
const {spawn} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

const root = path.resolve(__dirname, '../../..');
const args = process.argv.slice(2);
const option = (name, fallback) => {
    const i = args.indexOf(name);
    return i >= 0 ? Number(args.splice(i, 2)[1]) : fallback;
};
const runs = option('--runs', 5);
const minutes = option('--minutes', 0);
const web = path.resolve(args[0] || path.join(root, 'build/web'));
const {chromium} = require(path.join(root, 'app/web/node_modules/playwright-core'));
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'waxdrop-web-bench.'));
const sleep = ms => new Promise(r => setTimeout(r, ms));
const median = xs => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

function serve(folder) {
    return new Promise((resolve, reject) => {
        const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
                             {stdio: ['ignore', 'pipe', 'ignore']});
        server.stdout.on('data', chunk => {
            const port = /port (\d+)/.exec(chunk.toString());
            if (port) resolve({server, url: `http://127.0.0.1:${port[1]}/index.html`});
        });
        server.on('exit', code => reject(new Error(`http.server ended (${code})`)));
    });
}

async function browser(run) {
    const context = await chromium.launchPersistentContext(path.join(scratch, `profile${run}`), {
        executablePath: '/usr/bin/chromium', headless: true, viewport: {width: 800, height: 600},
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
               '--disable-component-update', '--disable-sync'],
    });
    return {context, page: context.pages()[0] || await context.newPage()};
}

// Frames the game presented per second over seconds.
async function game_rate(page, seconds) {
    const f0 = await page.evaluate(() => Module.waxdropFrames()), t0 = Date.now();
    await sleep(seconds * 1000);
    const f1 = await page.evaluate(() => Module.waxdropFrames());
    return (f1 - f0) * 1000 / (Date.now() - t0);
}

// The bare loop: the game's turn (a message posted to itself), a copy of
// one picture, the canvas fed at the display's refresh.
function bare_loop(seconds) {
    const w = 640, h = 440, n = w * h;
    const made = new Uint32Array(n), picture = new Uint32Array(n);
    for (let i = 0; i < n; i++) made[i] = (i * 2654435761) >>> 8;
    const canvas = document.getElementById('field'), context = canvas.getContext('2d');
    const image = context.createImageData(w, h), shown = new Uint32Array(image.data.buffer);
    let frames = 0, last = -1, going = true;
    const refresh = () => {
        if (last !== frames) {
            last = frames;
            shown.set(picture);
            context.putImageData(image, 0, 0);
        }
        if (going) requestAnimationFrame(refresh);
    };
    requestAnimationFrame(refresh);
    const channel = new MessageChannel();
    let resume = null;
    channel.port1.onmessage = () => resume();
    const turn = () => new Promise(r => { resume = r; channel.port2.postMessage(0); });
    return (async () => {
        const start = performance.now(), end = start + seconds * 1000;
        while (performance.now() < end) {
            await turn();
            picture.set(made);
            frames++;
        }
        going = false;
        return frames * 1000 / (performance.now() - start);
    })();
}

async function end_game(page) {
    await page.keyboard.down('Alt');
    await page.keyboard.press('f');
    await page.keyboard.up('Alt');
    await page.keyboard.press('x');
    await page.waitForFunction(() => Module.waxdropEnded === true, null, {timeout: 5000});
}

async function one_run(url, run) {
    const {context, page} = await browser(run);
    try {
        await page.goto(url);
        await page.waitForFunction(() => Module.waxdropFirstPicture > 0, null, {timeout: 20000});
        const first = await page.evaluate(() => Module.waxdropFirstPicture);
        await sleep(1000);
        // The game running: resumed under the ball, which bounces for a while.
        const box = await page.locator('#field').boundingBox();
        await page.mouse.click(box.x + 327, box.y + 300);
        const game = await game_rate(page, 5);
        await page.mouse.move(box.x + 320, box.y + 300);
        await end_game(page);
        const bare = await page.evaluate(bare_loop, 5);
        return {first, game, bare, ratio: game / bare};
    } finally {
        await context.close();
    }
}

function sizes(folder) {
    const out = {};
    for (const name of ['waxdrop.js', 'waxdrop.wasm', 'waxdrop.data', 'index.html']) {
        const data = fs.readFileSync(path.join(folder, name));
        out[name] = {bytes: data.length, gzipped: zlib.gzipSync(data, {level: 9}).length};
    }
    return out;
}

// The page's memory while the game is played for minutes.
async function memory(url) {
    const {context, page} = await browser('memory');
    const devtools = await context.newCDPSession(page);
    const samples = [];
    try {
        await page.goto(url);
        await page.waitForFunction(() => Module.waxdropFirstPicture > 0, null, {timeout: 20000});
        const box = await page.locator('#field').boundingBox();
        const end = Date.now() + minutes * 60000;
        let next = Date.now();
        while (Date.now() < end) {
            if (await page.evaluate(() => document.querySelectorAll('#windows .window:not([hidden])').length))
                await page.keyboard.press('Enter');
            await page.mouse.click(box.x + 100 + Math.random() * 400, box.y + 300);
            if (Date.now() >= next) {
                await devtools.send('HeapProfiler.collectGarbage');
                const heap = await devtools.send('Runtime.getHeapUsage');
                const wasm = await page.evaluate(() => Module.HEAP8.length);
                const frames = await page.evaluate(() => Module.waxdropFrames());
                samples.push({minute: (minutes * 60000 - (end - Date.now())) / 60000, heap: heap.usedSize, wasm, frames});
                console.log(`     ${samples.at(-1).minute.toFixed(1)} min: JS heap ${(heap.usedSize / 1e6).toFixed(2)} MB, ` +
                            `wasm memory ${(wasm / 1e6).toFixed(2)} MB, ${frames} frames`);
                next += 30000;
            }
            await sleep(2000);
        }
    } finally {
        await context.close();
    }
    return samples;
}

async function main() {
    const {server, url} = await serve(path.join(web, 'page'));
    try {
        const results = [];
        for (let run = 0; run < runs; run++) {
            const r = await one_run(url, run);
            results.push(r);
            console.log(`run ${run + 1}: first picture ${r.first.toFixed(0)} ms; game ${r.game.toFixed(0)} frames/s, ` +
                        `bare loop ${r.bare.toFixed(0)}/s, ratio ${r.ratio.toFixed(2)}`);
        }
        const pick = key => median(results.map(r => r[key]));
        console.log(`medians of ${runs}: first picture ${pick('first').toFixed(0)} ms; game ${pick('game').toFixed(0)} ` +
                    `frames/s against ${pick('bare').toFixed(0)} for the bare loop, ratio ${pick('ratio').toFixed(2)}`);
        const s = sizes(path.join(web, 'page'));
        for (const [name, size] of Object.entries(s))
            console.log(`${name}: ${(size.bytes / 1024).toFixed(1)} KB, gzipped ${(size.gzipped / 1024).toFixed(1)} KB`);
        const own = s['waxdrop.js'].gzipped + s['waxdrop.wasm'].gzipped;
        console.log(`the page's own wasm and js, gzipped: ${(own / 1024).toFixed(1)} KB`);
        if (minutes > 0) {
            const samples = await memory(url);
            const first = samples[Math.min(1, samples.length - 1)], last = samples.at(-1);
            console.log(`memory from minute ${first.minute.toFixed(1)} to ${last.minute.toFixed(1)}: JS heap ` +
                        `${(first.heap / 1e6).toFixed(2)} to ${(last.heap / 1e6).toFixed(2)} MB, wasm memory ` +
                        `${(first.wasm / 1e6).toFixed(2)} to ${(last.wasm / 1e6).toFixed(2)} MB`);
        }
    } finally {
        server.kill();
        fs.rmSync(scratch, {recursive: true, force: true});
    }
}

main().catch(e => {
    console.error(e);
    process.exitCode = 1;
});
