#!/usr/bin/env node
// Headless Chromium for the browser game's adapter (program_web.py), one
// command a line on stdin as JSON, one answer a line on stdout: {"ok": VALUE}
// or {"error": TEXT}. It knows nothing of the game; the adapter says what to
// evaluate in the page and which input events to send (Chrome's DevTools
// protocol, so they arrive as a player's would).
//
//   {"do": "launch", "profile": DIR, "width": W, "height": H}   a new browser on an empty profile
//   {"do": "init", "js": SOURCE}          run before each page's own scripts
//   {"do": "goto", "url": URL}            load a page (waits for its load event)
//   {"do": "eval", "js": SOURCE}          SOURCE's value in the page (a function's: its result)
//   {"do": "send", "method": M, "params": P}   a DevTools command to the page
//   {"do": "send_each", "method": M, "list": [P, ...]}   the same with each P in turn
//   {"do": "picture", "selector": S}      a canvas's pixels, RGB, base64
//   {"do": "screenshot", "path": FILE, "clip": {x, y, width, height}}   the page as the player sees it
//   {"do": "close"}                       the browser goes
'use strict';
const path = require('path');
const readline = require('readline');
const {chromium} = require(path.resolve(__dirname, '../../app/web/node_modules/playwright-core'));

let browser = null, page = null, devtools = null;

const commands = {
    async launch({profile, width, height}) {
        browser = await chromium.launchPersistentContext(profile, {
            executablePath: '/usr/bin/chromium',
            headless: true,
            viewport: {width: width || 800, height: height || 600},
            // Sound plays to the system's output, where the adapter listens.
            ignoreDefaultArgs: ['--mute-audio'],
            args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                   '--disable-background-networking', '--disable-component-update', '--disable-sync',
                   '--force-color-profile=srgb', '--autoplay-policy=user-gesture-required'],
        });
        page = browser.pages()[0] || await browser.newPage();
        page.on('pageerror', e => process.stderr.write(`page error: ${e.message}\n`));
        page.on('console', m => process.stderr.write(`console: ${m.text()}\n`));
        devtools = await browser.newCDPSession(page);
        return true;
    },
    async init({js}) {
        await browser.addInitScript(js);
        return true;
    },
    async goto({url}) {
        await page.goto(url);
        return true;
    },
    // An expression's value; a function's is its result.
    async eval({js}) {
        return page.evaluate(source => {
            const value = (0, eval)(source);
            return typeof value === 'function' ? value() : value;
        }, js);
    },
    async send({method, params}) { return devtools.send(method, params || {}); },
    // The same command with each of a list of parameters, one after another,
    // as fast as the browser takes them (a hand's quick movement).
    async send_each({method, list}) {
        await Promise.all(list.map(params => devtools.send(method, params)));
        return true;
    },
    async picture({selector}) {
        const encoded = await page.evaluate(s => new Promise(resolve => {
            const c = document.querySelector(s);
            const rgba = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            const reader = new FileReader();
            reader.onload = () => resolve(reader.result.slice(reader.result.indexOf(',') + 1));
            reader.readAsDataURL(new Blob([rgba]));
        }), selector);
        const rgba = Buffer.from(encoded, 'base64');
        const rgb = Buffer.alloc(rgba.length / 4 * 3);
        for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) rgba.copy(rgb, j, i, i + 3);
        return rgb.toString('base64');
    },
    async screenshot({path: file, clip}) {
        await page.screenshot({path: file, clip});
        return true;
    },
    async close() {
        if (browser) await browser.close();
        browser = page = devtools = null;
        return true;
    },
};

const lines = readline.createInterface({input: process.stdin});
let queue = Promise.resolve();
lines.on('line', line => {
    queue = queue.then(async () => {
        let answer;
        try {
            const command = JSON.parse(line);
            answer = {ok: await commands[command.do](command)};
        } catch (e) {
            answer = {error: String(e.message || e).split('\n')[0]};
        }
        process.stdout.write(JSON.stringify(answer === undefined ? {ok: null} : answer) + '\n');
    });
});
lines.on('close', () => queue.then(() => commands.close()).then(() => process.exit(0)));
