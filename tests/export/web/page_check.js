// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Opens a web page of the exporter in headless Chromium through the DevTools
// protocol, as a reader would: it waits for the first frame, takes a
// screenshot, drags with the mouse, turns the wheel, presses "Reset view"
// and takes a screenshot after each.  Prints what it saw as JSON.
//   node page_check.js PAGE.html OUTDIR WIDTH HEIGHT
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const WebSocket = require('ws');

const [page, outDir, widthText, heightText] = process.argv.slice(2);
const width = Number(widthText), height = Number(heightText);
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'veltrix-chromium-'));
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// No sandbox: the tests run as root.  No background networking: nothing
// but the page may be fetched, and there is no network to reach anyway.
const browser = spawn(chromium, [
    '--headless', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--disable-default-apps', '--no-first-run', '--no-default-browser-check', '--disable-quic',
    `--user-data-dir=${profile}`, '--remote-debugging-port=0', `--window-size=${width},${height}`,
    'about:blank'], { stdio: ['ignore', 'ignore', 'pipe'] });

function finish(code, result) {
    try { browser.kill('SIGKILL'); } catch (e) { /* gone already */ }
    try { fs.rmSync(profile, { recursive: true, force: true }); } catch (e) { /* left behind */ }
    if (result)
        console.log(JSON.stringify(result, null, 1));
    process.exit(code);
}
setTimeout(() => { console.error('page check timed out'); finish(3); }, 120000);

function devToolsAddress() {
    return new Promise((resolve, reject) => {
        let text = '';
        browser.stderr.on('data', (chunk) => {
            text += chunk;
            const m = text.match(/DevTools listening on (ws:\/\/\S+)/);
            if (m)
                resolve(m[1]);
        });
        browser.on('exit', (code) => reject(new Error(`chromium ended (${code}): ${text.slice(-2000)}`)));
    });
}

class Session {
    constructor(socket) {
        this.socket = socket;
        this.next = 1;
        this.waiting = new Map();
        this.listeners = [];
        socket.on('message', (data) => {
            const m = JSON.parse(data);
            if (m.id && this.waiting.has(m.id)) {
                const { resolve, reject } = this.waiting.get(m.id);
                this.waiting.delete(m.id);
                m.error ? reject(new Error(JSON.stringify(m.error))) : resolve(m.result);
            } else if (m.method) {
                this.listeners.forEach((l) => l(m));
            }
        });
    }
    send(method, params = {}, sessionId) {
        const id = this.next++;
        this.socket.send(JSON.stringify({ id, method, params, sessionId }));
        return new Promise((resolve, reject) => this.waiting.set(id, { resolve, reject }));
    }
}

async function main() {
    const address = await devToolsAddress();
    const socket = new WebSocket(address, { perMessageDeflate: false });
    await new Promise((resolve, reject) => { socket.on('open', resolve); socket.on('error', reject); });
    const cdp = new Session(socket);
    const { targetId } = await cdp.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await cdp.send('Target.attachToTarget', { targetId, flatten: true });
    const send = (method, params) => cdp.send(method, params, sessionId);
    const evaluate = async (expression) =>
        (await send('Runtime.evaluate', { expression, returnByValue: true })).result.value;

    const requests = [];
    cdp.listeners.push((m) => {
        if (m.method === 'Network.requestWillBeSent' && m.sessionId === sessionId)
            requests.push(m.params.request.url);
    });
    await send('Network.enable');
    await send('Page.enable');
    await send('Runtime.enable');
    await send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: false });

    const url = 'file://' + path.resolve(page);
    await send('Page.navigate', { url });
    const frames = async () => (await evaluate('window.veltrix ? window.veltrix.frames : 0')) || 0;
    for (let waited = 0; (await frames()) === 0; waited += 50) {
        if (waited > 60000)
            throw new Error('no frame within 60 s: ' + (await evaluate('window.veltrix && window.veltrix.error')));
        await sleep(50);
    }
    const firstFrameMs = await evaluate('window.veltrix.firstFrameMs');

    const shot = async (name) => {
        const { data } = await send('Page.captureScreenshot', { format: 'png' });
        fs.writeFileSync(path.join(outDir, name), Buffer.from(data, 'base64'));
    };
    // Waits until the page has drawn the frames asked for by what was done.
    const settle = async (before) => {
        for (let waited = 0; waited < 5000 && (await frames()) === before; waited += 20)
            await sleep(20);
        await sleep(100);
    };
    const mouse = (type, x, y, extra = {}) =>
        send('Input.dispatchMouseEvent', Object.assign({ type, x, y, button: 'left', buttons: 1, clickCount: 1 }, extra));

    await shot('first.png');

    let count = await frames();
    const x = Math.round(width / 2), y = Math.round(height / 2);
    await mouse('mouseMoved', x, y, { button: 'none', buttons: 0 });
    await mouse('mousePressed', x, y);
    for (let k = 1; k <= 10; ++k)
        await mouse('mouseMoved', x + 15 * k, y + 3 * k);
    await mouse('mouseReleased', x + 150, y + 30);
    await settle(count);
    await shot('dragged.png');

    count = await frames();
    await send('Input.dispatchMouseEvent', { type: 'mouseWheel', x, y, deltaX: 0, deltaY: -400 });
    await settle(count);
    await shot('zoomed.png');

    count = await frames();
    await evaluate("document.getElementById('reset').click()");
    await settle(count);
    await shot('reset.png');

    const result = {
        title: await evaluate('document.title'),
        legend: await evaluate("document.getElementById('legend').innerText"),
        error: await evaluate('window.veltrix.error'),
        // What covers the scene: the legend and the reset button.
        covered: await evaluate("['legend', 'reset'].map((id) => { const r = " +
                                "document.getElementById(id).getBoundingClientRect(); " +
                                "return [Math.floor(r.left), Math.floor(r.top), Math.ceil(r.right), Math.ceil(r.bottom)]; })"),
        firstFrameMs,
        frames: await frames(),
        requests,
    };
    socket.close();
    finish(0, result);
}

main().catch((e) => { console.error(e.stack || String(e)); finish(2); });
