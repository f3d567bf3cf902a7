// The page's viewer: reads the scene (binary glTF in VELTRIX_SCENE, base64)
// and shows it from its camera, turned with OrbitControls.
(function () {
    'use strict';
    var state = window.veltrix = { ready: false, frames: 0, firstFrameMs: 0, error: '' };

    function decode(base64) {
        var text = atob(base64), bytes = new Uint8Array(text.length);
        for (var i = 0; i < text.length; ++i)
            bytes[i] = text.charCodeAt(i);
        return bytes.buffer;
    }

    // The file keeps glTF's linear colours; the view blends the sRGB ones,
    // and so does this page (three.js here writes colours unchanged).
    function toSrgb(c) {
        return c <= 0.0031308 ? c * 12.92 : 1.055 * Math.pow(c, 1 / 2.4) - 0.055;
    }

    function showError(message) {
        state.error = message;
        var box = document.getElementById('error');
        box.textContent = message;
        box.style.display = 'block';
    }

    var renderer;
    try {
        renderer = new THREE.WebGLRenderer({ antialias: true, preserveDrawingBuffer: true });
    } catch (e) {
        showError('This browser cannot show 3D scenes (WebGL is off or missing).');
        return;
    }
    renderer.setPixelRatio(window.devicePixelRatio || 1);
    renderer.setSize(window.innerWidth, window.innerHeight);
    renderer.setClearColor(new THREE.Color(document.body.getAttribute('data-background')), 1);
    document.body.insertBefore(renderer.domElement, document.body.firstChild);

    new THREE.GLTFLoader().parse(decode(VELTRIX_SCENE), '', function (gltf) {
        var scene = gltf.scene, camera = null, billboards = [];
        scene.traverse(function (object) {
            if (object.isCamera && !camera)
                camera = object;
            if (object.userData && object.userData.billboard)
                billboards.push(object);
            var materials = !object.material ? [] : Array.isArray(object.material) ? object.material : [object.material];
            materials.forEach(function (m) {
                if (!m.userData.srgb) {
                    m.color.setRGB(toSrgb(m.color.r), toSrgb(m.color.g), toSrgb(m.color.b));
                    m.userData.srgb = true;
                }
                if (object.isMesh) {
                    // Faces behind their outlines, as in the program.
                    m.polygonOffset = true;
                    m.polygonOffsetFactor = 1;
                    m.polygonOffsetUnits = 1;
                }
            });
            var colours = object.geometry && object.geometry.attributes.color;
            if (colours && !colours.userDataSrgb) {
                for (var i = 0; i < colours.array.length; ++i)
                    colours.array[i] = toSrgb(colours.array[i]);
                colours.userDataSrgb = true;
                colours.needsUpdate = true;
            }
        });
        if (!camera) {
            camera = new THREE.PerspectiveCamera(45, 1, 0.1, 100);
            camera.position.set(4, 7, 20);
        }
        camera.aspect = window.innerWidth / window.innerHeight;
        camera.updateProjectionMatrix();
        scene.updateMatrixWorld(true);

        // The camera turns about the point on its line of sight nearest to
        // the cube's centre, so the first picture is the saved one.
        var eye = camera.getWorldPosition(new THREE.Vector3());
        var sight = camera.getWorldDirection(new THREE.Vector3());
        var along = -eye.dot(sight);
        if (!(along > camera.near))
            along = Math.max(eye.length(), camera.near * 10);
        var controls = new THREE.OrbitControls(camera, renderer.domElement);
        controls.target.copy(eye).addScaledVector(sight, along);
        controls.screenSpacePanning = true;
        controls.update();
        controls.saveState();

        var pending = false;
        function render() {
            pending = false;
            for (var i = 0; i < billboards.length; ++i)
                billboards[i].quaternion.copy(camera.quaternion);
            renderer.render(scene, camera);
            if (state.frames++ === 0) {
                state.firstFrameMs = performance.now();
                document.body.setAttribute('data-ready', 'true');
            }
        }
        function requestRender() {
            if (!pending) {
                pending = true;
                window.requestAnimationFrame(render);
            }
        }
        controls.addEventListener('change', requestRender);
        window.addEventListener('resize', function () {
            camera.aspect = window.innerWidth / window.innerHeight;
            camera.updateProjectionMatrix();
            renderer.setSize(window.innerWidth, window.innerHeight);
            requestRender();
        });
        document.getElementById('reset').addEventListener('click', function () {
            controls.reset();
            requestRender();
        });
        state.ready = true;
        render();
    }, function (error) {
        showError('The scene cannot be read: ' + (error && error.message ? error.message : error));
    });
})();
