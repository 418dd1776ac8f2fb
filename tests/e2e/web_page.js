#!/usr/bin/env node
// The browser game's page in headless Chromium, driven through a small
// adapter (start, click at a field point, press a key, take a picture of the
// field, read the score file, close), the shape every program's adapter of
// the shared flows has. The flows below check that the page runs the game:
// its first frame is the Linux snapshot pixel for pixel, the paused field
// holds still, a click sets it moving, P stops it again, and a score file
// put in the browser's storage is still there after the page is loaded anew.
//
//   node tests/e2e/web_page.js [WEB_BUILD [LINUX_BUILD]]
//
// Serves WEB_BUILD/page on 127.0.0.1 (python3's http.server, a free port),
// prints PASS/FAIL per flow, the figures it measured, and ends with
// "N passed, N failed".
'use strict';
const {spawn, execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const root = path.resolve(__dirname, '../..');
const web = path.resolve(process.argv[2] || path.join(root, 'build/web'));
const linux = path.resolve(process.argv[3] || path.join(root, 'build/linux'));
const {chromium} = require(path.join(root, 'app/web/node_modules/playwright-core'));
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'waxdrop-web-page.'));

// The page's folder on a free port of this machine only.
function serve(folder) {
    return new Promise((resolve, reject) => {
        const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
                             {stdio: ['ignore', 'pipe', 'ignore']});
        server.stdout.on('data', chunk => {
            const port = /port (\d+)/.exec(chunk.toString());
            if (port) resolve({server, url: `http://127.0.0.1:${port[1]}/`});
        });
        server.on('exit', code => reject(new Error(`http.server ended (${code})`)));
    });
}

// The adapter: one browser, one page, the game in it.
class WebGame {
    async start(url, profile) {
        // A new, empty profile: no storage from an earlier run.
        this.browser = await chromium.launchPersistentContext(profile, {
            executablePath: '/usr/bin/chromium',
            headless: true,
            viewport: {width: 800, height: 600},
            args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                   '--disable-background-networking', '--disable-component-update', '--disable-sync',
                   '--force-color-profile=srgb'],
        });
        this.page = this.browser.pages()[0] || await this.browser.newPage();
        this.errors = [];
        this.page.on('pageerror', e => this.errors.push(e.message));
        await this.load(url);
    }
    // Navigation to the first picture on the page, in ms.
    async load(url) {
        await this.page.goto(url);
        await this.page.waitForFunction(() => Module.waxdropFirstPicture > 0, null, {timeout: 20000});
        return this.page.evaluate(() => Module.waxdropFirstPicture);
    }
    async field() { return this.page.locator('#field').boundingBox(); }
    async click(x, y) {
        const box = await this.field();
        await this.page.mouse.click(box.x + x, box.y + y);
    }
    async move(x, y) {
        const box = await this.field();
        await this.page.mouse.move(box.x + x, box.y + y);
    }
    async press(key) { await this.page.keyboard.press(key); }
    // The field as the page shows it: 640 x 440 RGB bytes (carried out of
    // the page as base64, which is quick enough to look twice within a
    // fraction of a second).
    async picture() {
        const encoded = await this.page.evaluate(() => new Promise(resolve => {
            const c = document.getElementById('field');
            const rgba = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            const reader = new FileReader();
            reader.onload = () => resolve(reader.result.slice(reader.result.indexOf(',') + 1));
            reader.readAsDataURL(new Blob([rgba]));
        }));
        const rgba = Buffer.from(encoded, 'base64');
        const rgb = Buffer.alloc(640 * 440 * 3);
        for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) {
            rgb[j] = rgba[i];
            rgb[j + 1] = rgba[i + 1];
            rgb[j + 2] = rgba[i + 2];
        }
        return rgb;
    }
    async screenshot(file) { await this.page.locator('#field').screenshot({path: file}); }
    // The score file as the browser keeps it (IndexedDB under the score
    // folder), or null when there is none.
    async scores() {
        const bytes = await this.page.evaluate(() => new Promise(resolve => {
            const open = indexedDB.open('/scores');
            open.onerror = () => resolve(null);
            open.onsuccess = () => {
                const db = open.result;
                if (!db.objectStoreNames.contains('FILE_DATA')) return resolve(null);
                const get = db.transaction('FILE_DATA').objectStore('FILE_DATA').get('/scores/scores.bin');
                get.onsuccess = () => resolve(get.result ? Array.from(get.result.contents) : null);
                get.onerror = () => resolve(null);
            };
        }));
        return bytes && Buffer.from(bytes);
    }
    // Frames presented so far.
    async frames() { return this.page.evaluate(() => Module.waxdropFrames()); }
    async close() { if (this.browser) await this.browser.close(); }
}

function ppm_pixels(file) {
    const data = execFileSync('convert', [file, '-depth', '8', 'ppm:-']);
    return data.subarray(data.length - 640 * 440 * 3);
}
const differing = (a, b) => {
    let n = 0;
    for (let i = 0; i < a.length; i += 3)
        if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) n++;
    return n;
};
const sleep = ms => new Promise(r => setTimeout(r, ms));

// The ball's x in a picture: the pink of its face, looked for below the
// honeycombs and above the paddle; null when it is not there.
function ball_x(rgb) {
    for (let y = 190; y < 390; y++)
        for (let x = 0; x < 640; x++) {
            const i = (y * 640 + x) * 3;
            if (rgb[i] > 150 && rgb[i + 1] < 90 && rgb[i + 2] > 150) return x;
        }
    return null;
}

// Play to the end of the game: first the paddle follows the ball, so that
// it breaks a honeycomb or two, then it keeps away from each ball until a box
// comes: the New High Score dialog (answered with name) or GAME OVER. Only a
// paused game is clicked (to resume it): a click while running would fire.
// Returns the box's caption, or null when none came within the time.
async function play_to_game_over(g, name, seconds) {
    const start = Date.now(), end = start + seconds * 1000;
    while (Date.now() < end) {
        const caption = await g.page.evaluate(() => {
            const h = document.querySelector('#boxes .box h2');
            return h && h.textContent;
        });
        if (caption) {
            const input = g.page.locator('#boxes .box input');
            if (await input.count()) {
                await input.fill(name);
                await input.press('Enter');
            } else {
                await g.page.locator('#boxes .box button').first().click();
            }
            return caption;
        }
        const first = await g.picture();
        await sleep(60);
        const now = await g.picture();
        const x = ball_x(now);
        const follow = Date.now() - start < 5000;
        const to = x === null ? 300 : follow ? x - 20 : x >= 300 ? 40 : 560;
        await g.move(to, 300);
        if (differing(first, now) === 0) await g.click(to, 300);
    }
    return null;
}

const flows = [
    ['first_frame_is_the_linux_snapshot', async (g, notes) => {
        const snapshot = path.join(scratch, 'linux-first-frame.png');
        execFileSync(path.join(linux, 'waxdrop-snapshot'), [snapshot]);
        await g.screenshot(path.join(scratch, 'web-first-frame.png'));
        const n = differing(await g.picture(), ppm_pixels(snapshot));
        notes.push(`${n} of 281600 pixels differ from waxdrop-snapshot`);
        return n === 0;
    }],
    ['paused_field_holds_still', async (g, notes) => {
        // Frames run back to back while paused too: they are counted here.
        const f0 = await g.frames(), t0 = Date.now();
        const before = await g.picture();
        await sleep(1000);
        notes.push(`${(((await g.frames()) - f0) * 1000 / (Date.now() - t0)).toFixed(0)} frames per second`);
        return differing(before, await g.picture()) === 0;
    }],
    // After a gesture both outputs run, the effect stream's blocks are taken
    // one after another (5.4 a second) and the synth has its soundfont.
    // (Headless Chromium lets sound start without a gesture whatever the
    // autoplay policy says, so the state before it is only reported.)
    ['sound_runs_after_a_gesture', async (g, notes) => {
        const state = () => g.page.evaluate(() => ({
            effects: Module.waxdropWave && Module.waxdropWave.context.state,
            music: Module.waxdropMidi && Module.waxdropMidi.context.state,
            blocks: Module.waxdropWave && Module.waxdropWave.taken,
            soundfont: Module.waxdropMidi && Module.waxdropMidi.ready,
        }));
        const before = await state();
        await g.press('Shift');
        await sleep(1000);
        const after = await state();
        notes.push(`before: ${JSON.stringify(before)}; a second after a key: ${JSON.stringify(after)}`);
        return after.effects === 'running' && after.music === 'running' && after.blocks - before.blocks >= 4 &&
               after.soundfont === true;
    }],
    // The served ball falls from y 200 and reaches the paddle's line 0.88 s
    // after the click: both looks fall well before.
    ['click_resumes_and_the_field_moves', async g => {
        await g.move(300, 300);
        const before = await g.picture();
        await g.click(300, 300);
        await sleep(300);
        return differing(before, await g.picture()) > 0;
    }],
    ['p_pauses_and_the_field_holds_still', async g => {
        await g.press('p');
        await sleep(100);
        const before = await g.picture();
        await sleep(500);
        return differing(before, await g.picture()) === 0;
    }],
    // The browser gives the pointer lock back (Esc does that): the game pauses.
    ['lock_given_back_pauses', async (g, notes) => {
        await g.click(300, 300);
        await g.page.waitForFunction(() => document.pointerLockElement !== null, null, {timeout: 2000});
        await g.page.evaluate(() => document.exitPointerLock());
        await sleep(100);
        const before = await g.picture();
        await sleep(400);
        return differing(before, await g.picture()) === 0;
    }],
    // A game played to its end enters its score under the typed name; the
    // score file is kept in the browser's storage and read back after the
    // page has been loaded anew.
    ['new_high_score_kept_across_a_visit', async (g, notes) => {
        const caption = await play_to_game_over(g, 'Web', 40);
        notes.push(`box: ${caption}`);
        if (caption !== 'New High Score') return false;
        await sleep(500);
        notes.push(`navigation to the first picture on the second visit: ${(await g.load(g.page.url())).toFixed(0)} ms`);
        const bytes = await g.scores();
        if (!bytes) return false;
        const file = path.join(scratch, 'scores.bin');
        fs.writeFileSync(file, bytes);
        const table = execFileSync('python3', [path.join(root, 'tests/e2e/score_file.py'), 'read', file]).toString();
        notes.push(table.trim().split('\n').join(' | '));
        return /^[1-9][0-9]*: Web\./m.test(table) && /length exact/.test(table);
    }],
];

async function main() {
    const {server, url} = await serve(path.join(web, 'page'));
    const game = new WebGame();
    let passed = 0, failed = 0;
    const report = (name, ok, notes) => {
        console.log(`${ok ? 'PASS' : 'FAIL'} ${name}${notes.length ? '\n     ' + notes.join('; ') : ''}`);
        ok ? passed++ : failed++;
    };
    try {
        const t0 = Date.now();
        await game.start(url, path.join(scratch, 'profile'));
        console.log(`     navigation to the first picture: ${(await game.page.evaluate(() => Module.waxdropFirstPicture)).toFixed(0)} ms` +
                    ` (browser start included: ${Date.now() - t0} ms)`);
        for (const [name, flow] of flows) {
            const notes = [];
            let ok = false;
            try {
                ok = await flow(game, notes);
            } catch (e) {
                notes.push(e.message.split('\n')[0]);
            }
            report(name, ok, notes);
        }
        if (game.errors.length) report('no_page_errors', false, game.errors.slice(0, 3));
    } finally {
        await game.close();
        server.kill();
        console.log(`     pictures in ${scratch}`);
    }
    console.log(`${passed} passed, ${failed} failed`);
    process.exitCode = failed ? 1 : 0;
}
main().catch(e => {
    console.error(e);
    console.log('0 passed, 1 failed');
    process.exitCode = 1;
});
